#include "foundation/screens/PasswordInput.h"

#include "controls/dialogs/TInputDlgBox.h"

#include <QApplication>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace {

constexpr int DigitsAndLetters = 30;

}  // namespace

std::optional<std::string> AskPasswordOnInputDialog(const TPasswordInputTexts& texts, int attempt)
{
    TInputDlgBox box(QApplication::activeWindow());
    box.InputKind = 1;
    box.DlgCaption = texts.Caption;
    if (attempt == 1) {
        box.Prompt = texts.FirstPrompt;
        box.PromptColor = QApplication::palette().color(QPalette::WindowText);
    } else {
        box.Prompt = "正しいパスワードを入力して下さい。";
        box.PromptColor = QColor(255, 0, 0);
    }
    box.Value.clear();
    box.MaxInputLength = 8;
    box.InputImeMode = imDisable;
    box.InputHint = texts.Hint;
    box.SetupInputDlg(true);
    box.SetInputCharFilter(DigitsAndLetters);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    if (box.exec() != 1)
        return std::nullopt;
    return box.Value;
}
