// The data-selection screen: function-key captions, button states, hints
// and the key handling.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/dialogs/HtmlHelp.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataListRecords.h"
#include "dataselect/screens/DataSentakuHints.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"

#include <QPlainTextEdit>

#include <array>

namespace {

constexpr const char* HelpPage = "file01.html";

// The captions the keys show; a key without a function shows its bare
// label ("F2:"), which is its caption up to the colon.
struct TKeyCaptions {
    std::array<std::string, 10> Text;  // ESC, F1 ... F8, F12
    void Blank(int index)
    {
        std::string& text = Text[static_cast<std::size_t>(index)];
        text = text.substr(0, text.find(':') + 1);
    }
};

enum KeyIndex { kEsc, kF1, kF2, kF3, kF4, kF5, kF6, kF7, kF8, kF12 };

bool IsFreeAreaName(const std::string& name)
{
    return name == FreeAreaText || name == NewAreaText;
}

}  // namespace

void TDataSentakuBox::SetCaption(TxPlButton* button, const char* caption)
{
    button->SetCaptionA({QString::fromUtf8(caption)});
}

bool TDataSentakuBox::IsBare(const TxPlButton* button) const
{
    return button->CaptionA().Caption.endsWith(QLatin1Char(':'));
}

void TDataSentakuBox::SetHints()
{
    for (const TDataSentakuControlHint& hint : DataSentakuControlHints)
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(hint.Control)))
            control->setToolTip(QString::fromUtf8(hint.Hint));
    if (const char* grid = DataSentakuGridHint(ConnectionMode, syoriType_))
        PerfectGrid1->setToolTip(QString::fromUtf8(grid));
}

void TDataSentakuBox::UpdateFunctionKeys()
{
    const bool server = ConnectionMode == 1 || ConnectionMode == 2;
    TKeyCaptions keys{{"ESC:ｷｬﾝｾﾙ", "F1:ヘルプ", "F2:コピー", "F3:新規作成", server ? "F4:領域追加" : "F4:割当解除",
                       "F5:ﾃﾞｰﾀ削除", "F6:保存", "F7:復元", "F8:印刷", "F12:選択"}};
    if (syoriType_ == 2 || syoriType_ == 4)
        keys.Blank(kF3);
    keyState_ = 0;

    const TDataListRec* rec = nullptr;
    // The form's active control, also while a message box is in front.
    if (focusWidget() == PerfectGrid1) {
        SetHints();
        const int row = PerfectGrid1->CurRow();
        rec = row == TPerfectGrid::NoRow ? nullptr : GetRowRecord(row);
        if (rec) {
            keyState_ = 1;
            const bool named = !rec->ENTTEXT.empty();
            const bool child = rec->GASSAN == 10;
            const TDataListRec* parent = child ? GetRowRecord(GetParentRow(row)) : nullptr;
            if (server) {
                if (named) {
                    keys.Blank(kF3);
                    if (ConnectionMode == 1)
                        keys.Text[kF3] = "F3:持ち出し";
                } else {
                    keys.Blank(kF2);
                    keys.Blank(kF5);
                    keys.Blank(kF6);
                }
            } else if (rec->NETDRIVE != 0 && rec->KYOYULOCK == 0) {
                for (int k : {kF2, kF3, kF5, kF7})
                    keys.Blank(k);
                if (child)
                    keys.Blank(kF4);
                if (SystemDef.AutoShareData == 0)
                    keys.Blank(kF12);
            } else if (rec->NETDRIVE != 0) {
                for (int k : {kF3, kF4, kF5})
                    keys.Blank(k);
                if ((rec->ENTTEXT == FreeAreaText && rec->GASSAN <= 2) || rec->ENTTEXT == NewAreaText) {
                    keys.Text[kF3] = "F3:新規作成";
                    keys.Text[kF4] = "F4:割当解除";
                }
                if (rec->GASSAN == 1)
                    keys.Text[kF3] = "F3:分散追加";
                if (parent && parent->GASSAN == 1)
                    keys.Text[kF5] = "F5:ﾃﾞｰﾀ削除";
            } else {
                keys.Blank(kF4);
                if (named)
                    keys.Blank(kF3);
                if (rec->GASSAN == 1)
                    keys.Text[kF3] = "F3:分散追加";
                if (parent && parent->GASSAN == 2)
                    keys.Blank(kF5);
                if (!named) {
                    keys.Blank(kF2);
                    keys.Blank(kF5);
                    keys.Blank(kF6);
                }
            }
        }
        ShowControlHint(PerfectGrid1, HintArea);
    }

    if (keyState_ == 1 && rec) {
        if (!cboxKyoyuDataAuto->isChecked()) {
            const bool named = !rec->ENTTEXT.empty();
            if (rec->NETDRIVE == 0) {
                btnKyoyuDataDown->setEnabled(!named);
                btnKyoyuDataUp->setEnabled(false);
            } else if (named && !IsFreeAreaName(rec->ENTTEXT)) {
                btnKyoyuDataDown->setEnabled(rec->KYOYULOCK == 0);
                btnKyoyuDataUp->setEnabled(rec->KYOYULOCK == 1);
            } else {
                btnKyoyuDataDown->setEnabled(false);
                btnKyoyuDataUp->setEnabled(false);
            }
        }
        btnCloudShare->setEnabled(true);
        if (rec->DATA_STATUS != 0) {
            for (int k : {kF2, kF3, kF4, kF6, kF12})
                keys.Blank(k);
            btnKyoyuDataUp->setEnabled(false);
            btnCloudShare->setEnabled(false);
        }
        if (rec->VER_MAJOR == 0)
            btnCloudShare->setEnabled(false);
    } else {
        btnKyoyuDataDown->setEnabled(false);
        btnKyoyuDataUp->setEnabled(false);
        btnCloudShare->setEnabled(keyState_ == 2);
    }
    if (!PerfectGrid1->isEnabled() || !pnlBottom->isEnabled()) {
        keyState_ = 0;
        keys.Blank(kF8);
        keys.Blank(kF12);
    }
    if (keyState_ == 0)
        for (int k = kF2; k <= kF7; ++k)
            keys.Blank(k);
    if (syoriType_ == 3) {
        for (int k = kF1; k <= kF8; ++k)
            keys.Blank(k);
        btnSearch->setEnabled(false);
        btnSearchCancel->setEnabled(false);
    } else if (syoriType_ == 4) {
        for (int k : {kF1, kF2, kF3, kF6, kF7, kF8})
            keys.Blank(k);
    } else if (syoriType_ == 5) {
        for (int k = kF1; k <= kF8; ++k)
            keys.Blank(k);
    }

    TxPlButton* buttons[] = {ESC, F1, F2, F3, F4, F5, F6, F7, F8, F12};
    for (int k = 0; k < 10; ++k)
        SetCaption(buttons[k], keys.Text[static_cast<std::size_t>(k)].c_str());
}

void TDataSentakuBox::DataFormKeyUp(int& key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_Escape:
        ESCClick();
        key = 0;
        break;
    case Qt::Key_F1:
        F1Click();
        break;
    case Qt::Key_F8:
        Guarded([this] { PrintDataList(); });
        key = 0;
        break;
    case Qt::Key_F12:
        F12Click();
        key = 0;
        break;
    default:
        break;
    }
}

void TDataSentakuBox::ESCClick()
{
    if (IsBare(ESC) || !pnlBottom->isEnabled())
        return;
    cancelled_ = true;
    done(2);
}

void TDataSentakuBox::F1Click()
{
    if (IsBare(F1))
        return;
    OpenHtmlHelp(HelpPage);
    UpdateFunctionKeys();
}
