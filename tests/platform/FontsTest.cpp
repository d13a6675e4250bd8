#include <QFont>
#include <QFontInfo>

#include <gtest/gtest.h>

// The test main installs the program's substitutions, as the program does at start-up.
TEST(Fonts, TheWindowsFontsResolveToLiberationSans)
{
    for (const char* family : {"Arial", "MS Sans Serif"}) {
        SCOPED_TRACE(family);
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(family))).family(), QStringLiteral("Liberation Sans"));
    }
}
