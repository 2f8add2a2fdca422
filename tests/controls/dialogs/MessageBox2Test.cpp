#include "controls/dialogs/TMessageBox2.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

#include "controls/widgets/TxCheckBox.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"

namespace {

TMessage2InfoRec Record(std::uint16_t buttons, std::vector<std::string> lines = {"一行目"})
{
    TMessage2InfoRec info;
    InitMessage2Info(0, info);
    info.Buttons = buttons;
    for (std::size_t i = 0; i < lines.size(); ++i)
        info.Lines[i].Text = lines[i];
    return info;
}

// Shows the record modally and lets `act` work the box.
int Show(TMessage2InfoRec& info, std::function<void(TMessageBox2*)> act)
{
    WhenModalShows([act](QWidget* modal) {
        auto* box = qobject_cast<TMessageBox2*>(modal);
        ASSERT_NE(box, nullptr);
        act(box);
    });
    return ShowMessageBox2(info);
}

TEST(MessageBox2Test, EachButtonGivesItsResult)
{
    const std::uint16_t buttons = Msg2Bit(mb2Yes) | Msg2Bit(mb2No) | Msg2Bit(mb2Cancel) | Msg2Bit(mb2Help);
    const int expected[] = {6, 7, 2};
    const char* captions[] = {"はい(&Y)", "いいえ(&N)", "ｷｬﾝｾﾙ(&C)"};
    for (std::size_t i = 0; i < 3; ++i) {
        TMessage2InfoRec info = Record(buttons);
        const int result = Show(info, [i, &captions](TMessageBox2* box) {
            EXPECT_EQ(box->Buttons[i]->text(), QString::fromUtf8(captions[i]));
            QTest::mouseClick(box->Buttons[i], Qt::LeftButton);
        });
        EXPECT_EQ(result, expected[i]) << i;
    }
}

TEST(MessageBox2Test, HelpLeavesTheBoxOpenAndEscCancels)
{
    TMessage2InfoRec info = Record(Msg2Bit(mb2OK) | Msg2Bit(mb2Help));
    const int result = Show(info, [](TMessageBox2* box) {
        QTest::mouseClick(box->Buttons[1], Qt::LeftButton);
        EXPECT_TRUE(box->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(result, 2);
}

TEST(MessageBox2Test, CtrlCCopiesTheCaptionAndTenLines)
{
    TMessage2InfoRec info = Record(Msg2Bit(mb2OK), {"データが見つかりません。", "もう一度選択して下さい。"});
    info.Caption = "データ選択";
    TMessageBox2 box;
    box.SetupMessage(info);
    box.show();
    QApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    const QString rule = QStringLiteral("---------------------------\r\n");
    EXPECT_EQ(QApplication::clipboard()->text(),
              rule + QStringLiteral("データ選択\r\n") + rule +
                  QStringLiteral("データが見つかりません。\r\nもう一度選択して下さい。\r\n") +
                  QStringLiteral("\r\n").repeated(8));
}

TEST(MessageBox2Test, AgreeModeOneHoldsTheFirstButtonUntilTicked)
{
    TMessage2InfoRec info = Record(Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel));
    info.AgreeMode = 1;
    info.AgreeText = "内容を確認しました";
    const int result = Show(info, [](TMessageBox2* box) {
        EXPECT_TRUE(box->btnAgree->isVisible());
        EXPECT_TRUE(box->btnAgree->hasFocus());
        EXPECT_FALSE(box->Buttons[0]->isEnabled());
        QTest::mouseClick(box->btnAgree, Qt::LeftButton, {}, QPoint(6, box->btnAgree->height() / 2));
        EXPECT_TRUE(box->Buttons[0]->isEnabled());
        QTest::mouseClick(box->Buttons[0], Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(info.AgreeState);

    TMessage2InfoRec blank = Record(Msg2Bit(mb2OK));
    blank.AgreeMode = 1;
    blank.AgreeText = "  ";
    TMessageBox2 box;
    box.SetupMessage(blank);
    box.show();
    EXPECT_FALSE(box.btnAgree->isVisible());
    EXPECT_TRUE(box.Buttons[0]->isEnabled());
}

TEST(MessageBox2Test, CatalogueMessageShowsItsLinesAndColours)
{
    TMessage2InfoRec info;
    info.MessageId = 0x10002011;
    TMessageBox2 box;
    box.SetupMessage(info);
    box.show();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("確認"));
    EXPECT_EQ(box.Labels[1]->text(), QStringLiteral("よろしいですか？"));
    EXPECT_EQ(box.Labels[2]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(box.Labels[0]->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(box.Buttons[1]->isVisible());
    EXPECT_FALSE(box.Buttons[2]->isVisible());
}

TEST(MessageBox2Test, EveryLineWithTextFitsInTheBox)
{
    const std::vector<std::vector<std::string>> cases = {
        {"1", "2", "3", "4", "5", "6", "7", "8", "9"},
        {"1", "", "", "", "5"},
        {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
    };
    for (const auto& lines : cases) {
        TMessage2InfoRec info = Record(Msg2Bit(mb2OK), lines);
        TMessageBox2 box;
        box.SetupMessage(info);
        box.show();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty())
                continue;
            const QRect label = box.Labels[i]->geometry();
            EXPECT_LE(label.bottom(), box.pnlClient->height()) << lines.size() << " lines, line " << i + 1;
            EXPECT_LE(box.pnlClient->height(), box.pnlBottom->y());
        }
    }
}

TEST(MessageBox2Test, AReplacedCaptionWidensItsButtonButNeverNarrowsIt)
{
    TMessage2InfoRec info = Record(Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel));
    info.ButtonCaptions = {"データを選択し直す(&R)", "X", ""};
    TMessageBox2 box;
    box.SetupMessage(info);
    box.show();
    const int textWidth = box.Buttons[0]->fontMetrics().horizontalAdvance(QStringLiteral("データを選択し直す(R)"));
    EXPECT_EQ(box.Buttons[0]->width(), static_cast<int>(textWidth * 1.3));
    EXPECT_EQ(box.Buttons[1]->width(), 75);
    EXPECT_EQ(box.Buttons[1]->text(), QStringLiteral("X"));
    // Two buttons stand ten pixels either side of the centre.
    EXPECT_EQ(box.Buttons[0]->geometry().right() + 1, box.width() / 2 - 10);
    EXPECT_EQ(box.Buttons[1]->x(), box.width() / 2 + 10);
}

class LinkHandler : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    bool fail = false;
public slots:
    void Open(const QUrl& url)
    {
        opened << url;
        if (fail)
            throw std::runtime_error("ブラウザを起動できません。");
    }
};

TEST(MessageBox2Test, LinkLinesOpenTheirAddressAndAFailureIsShownNotThrown)
{
    RecordingMessagePresenter messages;
    LinkHandler handler;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &handler, "Open");
    TMessage2InfoRec info = Record(Msg2Bit(mb2OK), {"詳しくは", "サポートページ"});
    info.Lines[1].Link = "https://example.com/support";
    TMessageBox2 box;
    box.SetupMessage(info);
    box.show();
    QLabel* link = box.Labels[1];
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(handler.opened.size(), 1);
    EXPECT_EQ(handler.opened[0], QUrl(QStringLiteral("https://example.com/support")));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 0, 128));

    handler.fail = true;
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, "ブラウザを起動できません。");
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(box.isVisible());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

}  // namespace

#include "MessageBox2Test.moc"
