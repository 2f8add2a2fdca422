#include "controls/MessageBox2Info.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox2InfoTest, InitGivesTheDefaultsOfEachType)
{
    struct Row {
        std::uint8_t type;
        const char* caption;
        std::uint16_t buttons;
    };
    const Row rows[] = {
        {0, "警告", Msg2Bit(mb2OK)}, {1, "エラー", Msg2Bit(mb2OK)},
        {2, "情報", Msg2Bit(mb2OK)}, {3, "確認", static_cast<std::uint16_t>(Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel))},
        {4, "", Msg2Bit(mb2OK)},     {9, "", Msg2Bit(mb2OK)},
    };
    for (const auto& row : rows) {
        TMessage2InfoRec info;
        info.MessageId = 5;
        info.Lines[3] = {"old", 255, "https://example.com"};
        info.AgreeMode = 1;
        info.AgreeState = true;
        info.ButtonCaptions[1] = "x";
        info.DefaultButton = 2;
        InitMessage2Info(row.type, info);
        EXPECT_EQ(info.MessageType, row.type);
        EXPECT_EQ(info.Caption, row.caption) << int(row.type);
        EXPECT_EQ(info.Buttons, row.buttons) << int(row.type);
        EXPECT_EQ(info.MessageId, 0);
        EXPECT_EQ(info.DefaultButton, 0);
        EXPECT_EQ(info.AgreeMode, 0);
        EXPECT_FALSE(info.AgreeState);
        EXPECT_EQ(info.ButtonCaptions[1], "");
        EXPECT_EQ(info.Lines[3].Text, "");
        EXPECT_EQ(info.Lines[3].Color, 0u);
        EXPECT_EQ(info.Lines[3].Link, "");
    }
}

TEST(MessageBox2InfoTest, ButtonBitsGiveCaptionsAndResults)
{
    const std::pair<const char*, int> expected[] = {
        {"はい(&Y)", 6},     {"いいえ(&N)", 7},  {"OK(&O)", 1},     {"ｷｬﾝｾﾙ(&C)", 2},
        {"中断(&A)", 3},     {"再試行(&R)", 4},  {"無視(&I)", 5},   {"すべて(&A)", 8},
        {"すべていいえ", 9}, {"すべてはい", 10}, {"ヘルプ(&H)", 0},
    };
    for (int bit = 0; bit <= 10; ++bit) {
        EXPECT_STREQ(Message2ButtonDef(bit).Caption, expected[bit].first) << bit;
        EXPECT_EQ(Message2ButtonDef(bit).Result, expected[bit].second) << bit;
    }
    EXPECT_EQ(Message2ShownButtons(0), std::vector<int>{});
    EXPECT_EQ(Message2ShownButtons(Msg2Bit(mb2Help)), std::vector<int>{10});
    EXPECT_EQ(Message2ShownButtons(0x7FF), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Message2ShownButtons(Msg2Bit(mb2Help) | Msg2Bit(mb2Retry) | Msg2Bit(mb2No) | Msg2Bit(mb2YesToAll)),
              (std::vector<int>{1, 5, 9}));
}

TEST(MessageBox2InfoTest, CatalogueEntriesReplaceTheRecordButNotTheAgreeSettings)
{
    TMessage2InfoRec info;
    InitMessage2Info(1, info);
    info.MessageId = 0x10003011;
    info.Caption = "mine";
    info.Lines[0].Text = "mine";
    info.Lines[6].Text = "mine too";
    info.ButtonCaptions[0] = "mine";
    info.AgreeMode = 1;
    info.AgreeText = "同意します";
    info.AgreeState = true;
    const TMessage2InfoRec shown = ResolveMessage2Info(info);
    EXPECT_EQ(shown.MessageId, 0x10003011);
    EXPECT_EQ(shown.MessageType, 3);
    EXPECT_EQ(shown.Caption, "内訳書の削除");
    EXPECT_EQ(shown.Buttons, Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel));
    EXPECT_EQ(shown.ButtonCaptions[0], "");
    const std::pair<const char*, std::uint32_t> lines[] = {
        {"選択行の内訳を削除します、よろしいですか？", 0},
        {"注意）削除を行うと、内訳に記述してある金融機関名などの情報は科目情報を取り込んでも記述されません。", 255},
        {"一時的に内訳書より削除したい場合は、残高を0円に訂正して印刷方法の[0円の明細を省略する]にチェックを", 255},
        {"入れてください。", 255},
    };
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(shown.Lines[i].Text, i < 4 ? lines[i].first : "") << i;
        EXPECT_EQ(shown.Lines[i].Color, i < 4 ? lines[i].second : 0u) << i;
    }
    EXPECT_EQ(shown.AgreeMode, 1);
    EXPECT_EQ(shown.AgreeText, "同意します");
    EXPECT_TRUE(shown.AgreeState);
}

TEST(MessageBox2InfoTest, CatalogueHoldsEveryIdWithItsTypeCaptionAndFirstLine)
{
    struct Row {
        std::int32_t id;
        std::uint8_t type;
        const char* caption;
        bool cancel;
        int lines;
        const char* first;
    };
    const Row rows[] = {
        {0x1010, 3, "確認", true, 4,
         "このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。"},
        {0x1011, 2, "情報", false, 4, "このデータは「データの更新」処理を行うことが禁止されています。"},
        {0x1012, 2, "情報", false, 3, "このデータは「仕訳の入力」が禁止されています。"},
        {0x1020, 2, "情報", false, 3,
         "このデータは現金出納帳システムと通信しています。マスター情報の変更は、事前に現金出納帳システムから"},
        {0x1030, 3, "エラー", false, 3, "データ使用後検証の結果、このデータは破損している恐れがあります。"},
        {0x2014, 2, "情報", false, 4, "過年度明細の取り込みが行われていません。"},
        {0x10001010, 2, "情報", false, 1, "振替形式で作成された仕訳のため、訂正・削除を行うことはできません。"},
        {0x10001011, 2, "情報", false, 1,
         "この仕訳は他処理で作成された自動仕訳のため、自科目訂正を行うことはできません。"},
        {0x10001012, 2, "情報", false, 1,
         "振替形式で作成された仕訳が含まれているため、訂正・削除を行うことはできません。"},
        {0x10002010, 3, "確認", true, 2, "会計データと連動する項目を「上書き入力」に切り替えます。"},
        {0x10002011, 3, "確認", true, 3, "会計データと連動する項目を「自動取得」に切り替えます。"},
        {0x10003010, 3, "内訳書の削除", true, 4, "選択行の内訳を削除します、よろしいですか？"},
        {0x10003012, 3, "内訳書の削除", true, 4, "選択行の内訳を削除します、よろしいですか？"},
        {0x10004010, 2, "情報", false, 1,
         "「基本設定」の「消費税＞一括税抜処理区分」に[処理する]が選択されているため、消費税処理区分を[税込]へは変更出来ません。"},
        {0x7777, 2, "情報", false, 0, ""},  // not in the catalogue: an empty information box
    };
    for (const auto& row : rows) {
        TMessage2InfoRec info;
        info.MessageId = row.id;
        const TMessage2InfoRec shown = ResolveMessage2Info(info);
        SCOPED_TRACE(row.id);
        EXPECT_EQ(shown.MessageType, row.type);
        EXPECT_EQ(shown.Caption, row.caption);
        EXPECT_EQ(shown.Buttons, row.cancel ? Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel) : Msg2Bit(mb2OK));
        EXPECT_EQ(shown.Lines[0].Text, row.first);
        int count = 0;
        for (const auto& line : shown.Lines)
            count += line.Text.empty() ? 0 : 1;
        EXPECT_EQ(count, row.lines);
    }
    TMessage2InfoRec info;
    info.MessageId = 0x10002011;
    EXPECT_EQ(ResolveMessage2Info(info).Lines[2].Text,
              "注意）上書き入力した項目は、会計データの集計値により書き換えられます。");
    EXPECT_EQ(ResolveMessage2Info(info).Lines[2].Color, 255u);
    info.MessageId = 0x10003012;
    EXPECT_EQ(ResolveMessage2Info(info).Lines[1].Text,
              "注意）削除を行うと、内訳に記述してある借入先などの情報は科目情報を取り込んでも記述されません。");
}

TEST(MessageBox2InfoTest, TextAreaReachesTheLastLineThatHoldsText)
{
    struct Row {
        std::vector<int> filled;  // 1-based line numbers
        int height;
    };
    const Row rows[] = {
        {{}, 72},
        {{1}, 72},
        {{1, 2}, 96},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 240},
        // Nine lines: the label after next would be an eleventh; the whole
        // text panel holds them.
        {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 264},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 264},
        // Blank lines in between count, so line 5 is not cut off.
        {{1, 5}, 168},
        {{10}, 264},
        {{2}, 96},
    };
    for (const auto& row : rows) {
        TMessage2InfoRec info;
        for (int n : row.filled)
            info.Lines[static_cast<std::size_t>(n - 1)].Text = "x";
        const int height = Message2TextAreaHeight(info);
        EXPECT_EQ(height, row.height) << ::testing::PrintToString(row.filled);
        for (int n : row.filled)
            EXPECT_LE(Message2LabelStep * n + 16, height) << "line " << n;
    }
}

TEST(MessageBox2InfoTest, ButtonsArePlacedAroundTheCentre)
{
    EXPECT_EQ(Message2ButtonLefts(530, {75}, 10), std::vector<int>{227});
    EXPECT_EQ(Message2ButtonLefts(530, {75, 75}, 10), (std::vector<int>{180, 275}));
    EXPECT_EQ(Message2ButtonLefts(530, {75, 100, 75}, 10), (std::vector<int>{130, 215, 325}));
}

TEST(MessageBox2InfoTest, AgreeBoxNeedsAModeAndAText)
{
    TMessage2InfoRec info;
    info.AgreeMode = 1;
    info.AgreeText = " \t ";
    EXPECT_FALSE(Message2AgreeShown(info));
    info.AgreeText = "同意する";
    EXPECT_TRUE(Message2AgreeShown(info));
    info.AgreeMode = 0;
    EXPECT_FALSE(Message2AgreeShown(info));
}

TEST(MessageBox2InfoTest, ClipboardTextHoldsTheCaptionAndAllTenLines)
{
    TMessage2InfoRec info;
    InitMessage2Info(0, info);
    info.Lines[0].Text = "一行目";
    info.Lines[1].Text = "二行目";
    const std::string rule = "---------------------------\r\n";
    EXPECT_EQ(Message2ClipboardText(info),
              rule + "警告\r\n" + rule + "一行目\r\n二行目\r\n" + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

}  // namespace
