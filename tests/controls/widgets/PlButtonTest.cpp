#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TxPFbtn.h"
#include "controls/widgets/TxPlButton.h"

namespace {

class PlButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = form.Add<QLineEdit>();
        ok = form.Add<TxPlButton>(QStringLiteral("OK"));
        cancel = form.Add<TxPlButton>(QStringLiteral("Cancel"));
        ok->OnClick = [this](QObject*) { ++okClicks; };
        cancel->OnClick = [this](QObject*) { ++cancelClicks; };
        cancel->Cancel = true;
        cancel->ModalResult = 2;
        form.ShowActive();
    }
    TestForm form;
    QLineEdit* edit = nullptr;
    TxPlButton* ok = nullptr;
    TxPlButton* cancel = nullptr;
    int okClicks = 0;
    int cancelClicks = 0;
};

TEST_F(PlButtonTest, CaptionStartsAsTheName)
{
    EXPECT_EQ(ok->CaptionA().Caption, "OK");
    EXPECT_EQ(ok->size(), QSize(75, 26));
}

TEST_F(PlButtonTest, ClickSetsTheResultAlsoWhenZero)
{
    form.setResult(5);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(form.result(), 0);
    EXPECT_EQ(okClicks, 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), ok);
    ok->ModalResult = 1;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(form.result(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PlButtonTest, EnterOnTheFocusedButtonAndEscOnCancel)
{
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(form.result(), 2);
}

TEST_F(PlButtonTest, EnterWithAModifierClicksWithoutTheResult)
{
    ok->ModalResult = 1;
    ok->setFocus();
    form.setResult(7);
    QTest::keyClick(ok, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(form.result(), 7);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(PlButtonTest, WithoutHasFocus)
{
    cancel->SetHasFocus(false);
    cancel->ModalResult = 0;
    edit->setFocus();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(cancelClicks, 1);
    QTest::keyClick(edit, Qt::Key_Escape);  // the dialog's own Esc then closes it
    EXPECT_EQ(cancelClicks, 1);
}

TEST_F(PlButtonTest, CaptionTops)
{
    QFont font = ok->font();
    font.setPixelSize(12);
    ok->setFont(font);
    const int h = QFontMetrics(font).height();
    ok->grab();
    EXPECT_EQ(ok->DrawnCaptionTops().First, (26 - h) / 2 + 1);
    EXPECT_EQ(ok->CaptionTop(), (26 - h) / 2 + 1);
    ok->SetCaptionB({QStringLiteral("F9"), taCenter, 0, 0});
    ok->grab();
    EXPECT_EQ(ok->DrawnCaptionTops().First, (26 - 2 * h - 4) / 2);
    ok->SetCaptionTop(3);
    EXPECT_FALSE(ok->CaptionVertCenter());
    ok->grab();
    EXPECT_EQ(ok->DrawnCaptionTops().First, 3);
}

TEST_F(PlButtonTest, GradientRowsAsDrawn)
{
    ok->SetCaptionA({});
    ok->SetGradBeginColor(QColor(255, 255, 255));
    ok->SetGradEndColor(QColor(0, 64, 128));
    ok->SetButtonStyle(bsFlatNoFrame);
    const QImage image = ok->grab().toImage();
    const int x = 37;
    for (int y : {0, 10, 25}) {
        const TRgb c = GradientRow({255, 255, 255}, {0, 64, 128}, y, 26);
        EXPECT_EQ(image.pixelColor(x, y), QColor(c.R, c.G, c.B)) << y;
    }
}

TEST_F(PlButtonTest, RoundedStyleClipsAndSwitchingBackRestores)
{
    ok->SetButtonStyle(bsRoundRect);
    EXPECT_FALSE(ok->mask().isEmpty());
    EXPECT_FALSE(ok->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(ok->mask().contains(QPoint(37, 13)));
    ok->resize(100, 30);
    EXPECT_TRUE(ok->mask().contains(QPoint(95, 15)));
    ok->SetButtonStyle(bsNormal);
    EXPECT_TRUE(ok->mask().isEmpty());
}

TEST_F(PlButtonTest, EvenCaptionSpreadsItsCharacters)
{
    ok->SetCaptionA({QStringLiteral("実行"), taEven, 0, 0});
    ok->SetButtonStyle(bsFlatNoFrame);
    ok->SetGradation(false);
    ok->SetColor(Qt::white);
    const QImage image = ok->grab().toImage();
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).lightness() < 128) {
                if (first < 0)
                    first = x;
                last = x;
            }
    // Ink from near the left margin (2) to near the right one (75 - 2).
    EXPECT_LE(first, 5);
    EXPECT_GE(last, 68);
}

TEST(PFButton, FunctionKeyTagByExactName)
{
    TestForm form;
    auto* f1 = form.Add<TxPFbtn>(QStringLiteral("F1"));
    auto* lower = form.Add<TxPFbtn>(QStringLiteral("f2"));
    f1->resize(50, 20);
    lower->resize(50, 20);
    form.ShowActive();
    QTest::mouseClick(lower, Qt::LeftButton);
    EXPECT_FALSE(form.property("Tag").isValid());
    QTest::mouseClick(f1, Qt::LeftButton);
    EXPECT_EQ(form.property("Tag").toInt(), 1);
}

TEST(PFButton, RisesAgainAfterTheTimerWhileHeld)
{
    TestForm form;
    auto* esc = form.Add<TxPFbtn>(QStringLiteral("ESC"));
    esc->resize(50, 20);
    form.ShowActive();
    QTest::mousePress(esc, Qt::LeftButton);
    EXPECT_TRUE(esc->Sunken());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !esc->Sunken(); }, 5000));
    QTest::mouseRelease(esc, Qt::LeftButton);
    EXPECT_EQ(form.property("Tag").toInt(), 0);
}

}  // namespace
