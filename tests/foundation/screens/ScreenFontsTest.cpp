#include "foundation/screens/ScreenFonts.h"

#include "foundation/InstalledFonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <gtest/gtest.h>

TEST(ScreenFontTest, KnowsTheInstalledFaces)
{
    EXPECT_FALSE(IsFontInstalled("IPAGothic"));  // nothing installed yet
    InstallScreenFontTest();
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_TRUE(IsFontInstalled(families.last().toStdString()));
    EXPECT_TRUE(IsFontInstalled(families.first().toStdString()));
    EXPECT_FALSE(IsFontInstalled("No Such Face 12345"));
    EXPECT_FALSE(IsFontInstalled(""));
    SetInstalledFontTest({});
}
