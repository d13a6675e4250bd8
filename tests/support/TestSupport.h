#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

class QColor;
class QImage;
class QWidget;

namespace qv::test {

// Messages that reached the default exception handler since the last call to takeReportedErrors().
QStringList takeReportedErrors();

// Base of tests whose code runs inside the exception guard: an error that reached the default handler
// and that the test did not take with takeReportedErrors() fails the test.
class ErrorCheckedTest : public ::testing::Test {
protected:
    void SetUp() override { takeReportedErrors(); }
    void TearDown() override
    {
        EXPECT_EQ(takeReportedErrors(), QStringList()) << "unexpected reported errors";
    }
};

// Saves the widget's rendering as <build folder>/test-output/<name>.png so a person can look at it.
// Returns the file's path.
QString saveScreenshot(QWidget& widget, const QString& name);

// How many pixels of `image` inside `area` (the whole image when empty) match, or have exactly `colour`'s
// RGB.
int countPixels(const QImage& image, const std::function<bool(const QColor&)>& match, const QRect& area = {});
int countPixels(const QImage& image, const QColor& colour, const QRect& area = {});

// `text` as a valid test name: letters, digits and '_' are kept; any other run of characters is dropped
// and the letter after it capitalised ("with 128 KB" gives "With128KB").
std::string testName(std::string_view text);

// Names a parametrised row after its `name` field, so that the test reads as its case and keeps the
// same name from build to build: INSTANTIATE_TEST_SUITE_P(..., testing::Values(...), qv::test::RowName()).
struct RowName {
    template<class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const
    {
        return testName(info.param.name);
    }
};

// The version of the newest entry of the package's change log (packaging/changelog), "3.0.3".
QString packagedVersion();

// A fresh, empty directory under the system temporary folder, removed when the test binary ends.
QString scratchDirectory();

// Writes a short silent wave file (PCM, 16-bit mono).
void writeSilentWaveFile(const QString& path);

} // namespace qv::test

// Lets GoogleTest print QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
