#include "controls/MessageBox2Info.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr std::uint32_t Red = 255;

struct CatalogueLine {
    const char* Text;
    std::uint32_t Color;
};

struct CatalogueEntry {
    std::int32_t Id;
    std::uint8_t Type;
    const char* Caption;
    std::uint16_t Buttons;
    std::vector<CatalogueLine> Lines;
};

constexpr std::uint16_t OkOnly = Msg2Bit(mb2OK);
constexpr std::uint16_t OkCancel = Msg2Bit(mb2OK) | Msg2Bit(mb2Cancel);

const std::vector<CatalogueLine> DeleteWarningTail(const char* secondLine)
{
    return {{"選択行の内訳を削除します、よろしいですか？", 0},
            {secondLine, Red},
            {"一時的に内訳書より削除したい場合は、残高を0円に訂正して印刷方法の[0円の明細を省略する]にチェックを", Red},
            {"入れてください。", Red}};
}

const std::vector<CatalogueEntry>& Catalogue()
{
    static const std::vector<CatalogueEntry> entries{
        {0x1010,
         3,
         "確認",
         OkCancel,
         {{"このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。", 0},
          {"データを使用するにはプログラムのバージョンアップが必要となります。", 0},
          {"続行してもよろしいですか？", 0},
          {"（ウィルス対策ソフトをご利用中の場合は、該当ソフトを終了してください。）", 0}}},
        {0x1011,
         2,
         "情報",
         OkOnly,
         {{"このデータは「データの更新」処理を行うことが禁止されています。", 0},
          {"データを選択したい場合は、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き", 0},
          {"[データの更新: 禁止する]項目のチェックを外してください。", 0},
          {"または、過去バージョンのプログラムを起動し選択してください。", 0}}},
        {0x1012,
         2,
         "情報",
         OkOnly,
         {{"このデータは「仕訳の入力」が禁止されています。", 0},
          {"仕訳を入力するには、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き", 0},
          {"[仕訳の入力: 禁止する]項目のチェックを外してください。", 0}}},
        {0x1020,
         2,
         "情報",
         OkOnly,
         {{"このデータは現金出納帳システムと通信しています。マスター情報の変更は、事前に現金出納帳システムから", 0},
          {"送られた最新のデータを受信し、現金出納帳システム側の処理をストップさせてから行ってください。", 0},
          {"マスター情報の変更後には必ず「現金出納帳マスター送信」を実行してください。", 0}}},
        // Type 3 (the question icon) under the caption "エラー" with OK only,
        // as the program has always shown it.
        {0x1030,
         3,
         "エラー",
         OkOnly,
         {{"データ使用後検証の結果、このデータは破損している恐れがあります。", 0},
          {"データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。", 0},
          {"ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。", 0}}},
        {0x2014,
         2,
         "情報",
         OkOnly,
         {{"過年度明細の取り込みが行われていません。", 0},
          {"このデータに対して過年度明細を取り込むには以下の方法があります。", 0},
          {"１）「過年度残高登録」の[仕訳取込]より過年度明細を取り込みます。", 0},
          {"２）「繰越残高調整」で過年度明細を繰り越します。（前期のみ）", 0}}},
        {0x10001010, 2, "情報", OkOnly, {{"振替形式で作成された仕訳のため、訂正・削除を行うことはできません。", 0}}},
        {0x10001011,
         2,
         "情報",
         OkOnly,
         {{"この仕訳は他処理で作成された自動仕訳のため、自科目訂正を行うことはできません。", 0}}},
        {0x10001012,
         2,
         "情報",
         OkOnly,
         {{"振替形式で作成された仕訳が含まれているため、訂正・削除を行うことはできません。", 0}}},
        {0x10002010,
         3,
         "確認",
         OkCancel,
         {{"会計データと連動する項目を「上書き入力」に切り替えます。", 0}, {"よろしいですか？", 0}}},
        {0x10002011,
         3,
         "確認",
         OkCancel,
         {{"会計データと連動する項目を「自動取得」に切り替えます。", 0},
          {"よろしいですか？", 0},
          {"注意）上書き入力した項目は、会計データの集計値により書き換えられます。", Red}}},
        {0x10003010, 3, "内訳書の削除", OkCancel,
         DeleteWarningTail(
             "注意）削除を行うと、内訳に記述してある名称などの情報は科目情報を取り込んでも記述されません。")},
        {0x10003011, 3, "内訳書の削除", OkCancel,
         DeleteWarningTail(
             "注意）削除を行うと、内訳に記述してある金融機関名などの情報は科目情報を取り込んでも記述されません。")},
        {0x10003012, 3, "内訳書の削除", OkCancel,
         DeleteWarningTail(
             "注意）削除を行うと、内訳に記述してある借入先などの情報は科目情報を取り込んでも記述されません。")},
        {0x10004010,
         2,
         "情報",
         OkOnly,
         {{"「基本設定」の「消費税＞一括税抜処理区分」に[処理する]が選択されているため、消費税処理区分を[税込]へは変更出来ません。",
           0}}},
    };
    return entries;
}

const TMessage2ButtonDef ButtonDefs[] = {
    {"はい(&Y)", 6}, {"いいえ(&N)", 7}, {"OK(&O)", 1},       {"ｷｬﾝｾﾙ(&C)", 2},   {"中断(&A)", 3},   {"再試行(&R)", 4},
    {"無視(&I)", 5}, {"すべて(&A)", 8}, {"すべていいえ", 9}, {"すべてはい", 10}, {"ヘルプ(&H)", 0},
};

bool IsBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= 0 && c < ' '); });
}

}  // namespace

void InitMessage2Info(std::uint8_t messageType, TMessage2InfoRec& info)
{
    info = TMessage2InfoRec{};
    info.MessageType = messageType;
    info.Buttons = OkOnly;
    switch (messageType) {
    case 0:
        info.Caption = "警告";
        break;
    case 1:
        info.Caption = "エラー";
        break;
    case 2:
        info.Caption = "情報";
        break;
    case 3:
        info.Caption = "確認";
        info.Buttons = OkCancel;
        break;
    default:
        break;
    }
}

TMessage2InfoRec ResolveMessage2Info(const TMessage2InfoRec& info)
{
    if (info.MessageId == 0)
        return info;
    TMessage2InfoRec shown;
    InitMessage2Info(2, shown);
    shown.MessageId = info.MessageId;
    const auto& entries = Catalogue();
    const auto entry =
        std::find_if(entries.begin(), entries.end(), [&](const CatalogueEntry& e) { return e.Id == info.MessageId; });
    if (entry != entries.end()) {
        shown.MessageType = entry->Type;
        shown.Buttons = entry->Buttons;
        shown.Caption = entry->Caption;
        for (std::size_t i = 0; i < entry->Lines.size() && i < shown.Lines.size(); ++i) {
            shown.Lines[i].Text = entry->Lines[i].Text;
            shown.Lines[i].Color = entry->Lines[i].Color;
        }
    }
    shown.AgreeMode = info.AgreeMode;
    shown.AgreeText = info.AgreeText;
    shown.AgreeState = info.AgreeState;
    return shown;
}

const TMessage2ButtonDef& Message2ButtonDef(int bit)
{
    return ButtonDefs[std::clamp(bit, 0, 10)];
}

std::vector<int> Message2ShownButtons(std::uint16_t buttons)
{
    std::vector<int> bits;
    for (int bit = 0; bit <= mb2Help && bits.size() < 3; ++bit)
        if (buttons & (1u << bit))
            bits.push_back(bit);
    return bits;
}

bool Message2AgreeShown(const TMessage2InfoRec& info)
{
    return info.AgreeMode != 0 && !IsBlank(info.AgreeText);
}

int Message2TextAreaHeight(const TMessage2InfoRec& info)
{
    int used = 0;
    for (int i = 0; i < Message2LineCount; ++i)
        if (!info.Lines[static_cast<std::size_t>(i)].Text.empty())
            used = i + 1;
    if (used < 2)
        return 3 * Message2LabelStep;
    if (used <= 8)
        return (used + 2) * Message2LabelStep;
    return Message2ClientPanelHeight;
}

std::vector<int> Message2ButtonLefts(int formWidth, const std::vector<int>& widths, int gap)
{
    const int centre = formWidth / 2;
    switch (widths.size()) {
    case 1:
        return {(formWidth - widths[0]) / 2};
    case 2:
        return {centre - gap - widths[0], centre + gap};
    case 3: {
        const int middle = (formWidth - widths[1]) / 2;
        return {middle - gap - widths[0], middle, middle + widths[1] + gap};
    }
    default:
        return {};
    }
}

std::string Message2ClipboardText(const TMessage2InfoRec& info)
{
    const std::string rule = "---------------------------\r\n";
    std::string text = rule + info.Caption + "\r\n" + rule;
    for (const auto& line : info.Lines)
        text += line.Text + "\r\n";
    return text;
}
