#include "foundation/screens/WindowText.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(FindWindowEx2Test, FindsTopLevelWindowsByClassCaptionOrBoth)
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("データ選択"));
    QLabel label;
    label.setWindowTitle(QStringLiteral("データ選択"));

    EXPECT_EQ(FindWindowEx2(QStringLiteral("QDialog"), QString()), &dialog);
    EXPECT_EQ(FindWindowEx2(QStringLiteral("QLabel"), QStringLiteral("データ選択")), &label);
    EXPECT_EQ(FindWindowEx2(QStringLiteral("QDialog"), QStringLiteral("other")), nullptr);
    EXPECT_EQ(FindWindowEx2(QString(), QString()), nullptr);
    // A caption alone finds either window that has it.
    QWidget* byCaption = FindWindowEx2(QString(), QStringLiteral("データ選択"));
    EXPECT_TRUE(byCaption == &dialog || byCaption == &label);
    // No desktop icon list exists here, in any letter case.
    EXPECT_EQ(FindWindowEx2(QStringLiteral("DeskTop"), QString()), nullptr);
}

TEST(GetTextWidthTest, MeasuresInTheFontTimesTheFactorTruncated)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(13);
    EXPECT_EQ(GetTextWidth(QString(), font, 1.3), 0);
    const int plain = GetTextWidth(QStringLiteral("はい(&Y)"), font, 1.0);
    EXPECT_GT(plain, 0);
    EXPECT_EQ(GetTextWidth(QStringLiteral("はい(&Y)"), font, 1.3), static_cast<int>(plain * 1.3));
    QFont large = font;
    large.setPixelSize(26);
    EXPECT_GT(GetTextWidth(QStringLiteral("はい(&Y)"), large, 1.0), plain);
}

}  // namespace
