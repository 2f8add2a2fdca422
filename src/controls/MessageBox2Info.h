#pragma once
// The record that drives the rich message box TMessageBox2, its catalogue
// of fixed messages, and the rules of its layout that need no screen: which
// buttons show, where they go, how tall the box is and what Ctrl+C copies.
//
// Texts are UTF-8; colours are the program's 32-bit colour values ($BBGGRR,
// 0 black, 255 red). Sizes are design pixels at 96 pixels per inch.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TMessage2CaptionRec {
    std::string Text;         // empty lines stay blank
    std::uint32_t Color = 0;  // $BBGGRR
    std::string Link;         // not empty: the line links to this address
};

// The standard buttons by their bit number in TMessage2InfoRec::Buttons.
enum TMessage2Button : int {
    mb2Yes,
    mb2No,
    mb2OK,
    mb2Cancel,
    mb2Abort,
    mb2Retry,
    mb2Ignore,
    mb2All,
    mb2NoToAll,
    mb2YesToAll,
    mb2Help
};
constexpr std::uint16_t Msg2Bit(TMessage2Button button)
{
    return static_cast<std::uint16_t>(1u << button);
}

inline constexpr int Message2LineCount = 10;

struct TMessage2InfoRec {
    std::int32_t MessageId = 0;                 // not 0: the catalogue entry replaces type, buttons, caption, lines
    std::uint8_t MessageType = 0;               // 0 warning, 1 error, 2 information, 3 confirmation
    std::uint16_t Buttons = 0;                  // one bit per TMessage2Button
    std::array<std::string, 3> ButtonCaptions;  // per shown button; empty keeps the standard caption
    std::int32_t DefaultButton = 0;             // index of the shown button that gets the focus
    std::string Caption;
    std::array<TMessage2CaptionRec, Message2LineCount> Lines;
    std::int32_t AgreeMode = 0;  // 0 none; else shown; 1 also holds the first button until ticked
    std::string AgreeText;       // blank turns the agree box off
    bool AgreeState = false;     // in: initial tick; out: the tick at closing
};

// Defaults by type: 0 "警告" OK, 1 "エラー" OK, 2 "情報" OK, 3 "確認" OK and
// Cancel; any other type an empty caption with OK (the type is kept).
void InitMessage2Info(std::uint8_t messageType, TMessage2InfoRec& info);

// The record the box shows: the caller's record, or, for a MessageId other
// than 0, the catalogue entry over a reset information record (an id not in
// the catalogue leaves "情報", OK and no text). The agree settings always
// stay the caller's.
TMessage2InfoRec ResolveMessage2Info(const TMessage2InfoRec& info);

struct TMessage2ButtonDef {
    const char* Caption;
    int Result;  // the modal result; the help button's 0 leaves the box open
};
// The standard caption and result of a button bit (0-10).
const TMessage2ButtonDef& Message2ButtonDef(int bit);
// The bits that get one of the three buttons: the lowest three set bits.
std::vector<int> Message2ShownButtons(std::uint16_t buttons);

// The agree box shows when AgreeMode is not 0 and AgreeText is not blank.
bool Message2AgreeShown(const TMessage2InfoRec& info);

// Design geometry of the box.
inline constexpr int Message2DesignWidth = 500;
inline constexpr int Message2LabelLeft = 80;
inline constexpr int Message2LabelStep = 24;  // label k (1-10) has its top at 24 × k
inline constexpr int Message2ClientPanelHeight = 264;
inline constexpr int Message2BottomPanelHeight = 41;
inline constexpr int Message2AgreePanelHeight = 30;
inline constexpr int Message2ButtonGap = 10;

// The height of the text area: enough for every line up to the last one
// that holds text (blank lines between them count, so none is cut off);
// the top of Label3 for fewer than two, the top of the label after next for
// two to eight, the whole text panel for nine and ten.
int Message2TextAreaHeight(const TMessage2InfoRec& info);

// The lefts of the shown buttons (1-3) on a form of the given width: one is
// centred; two end and start `gap` away from the centre; of three the second
// is centred and the others stand `gap` away on each side.
std::vector<int> Message2ButtonLefts(int formWidth, const std::vector<int>& widths, int gap);

// What Ctrl+C copies: a rule, the caption, a rule, then all ten lines, each
// followed by CR LF.
std::string Message2ClipboardText(const TMessage2InfoRec& info);
