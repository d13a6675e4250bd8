#include "platform/Dialogs.h"
#include "tests/support/TestSupport.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

// The longest of the not-available messages stays on one line instead of being wrapped at ~500 px.
TEST(InformationBox, KeepsALongLineWhole)
{
    const QString text =
        QStringLiteral("The hard disk benchmark is not available in this version of Quorvex 2003.");
    const auto box = qv::platform::makeInformationBox(nullptr, text);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    qv::test::saveScreenshot(*box, QStringLiteral("information-box"));
    const QLabel* label = nullptr;
    for (const QLabel* candidate : box->findChildren<QLabel*>())
        if (candidate->text() == text)
            label = candidate;
    ASSERT_NE(label, nullptr);
    const QFontMetrics metrics(label->font());
    EXPECT_GE(label->contentsRect().width(), metrics.horizontalAdvance(text));
    EXPECT_LT(label->height(), 2 * metrics.lineSpacing());
}
