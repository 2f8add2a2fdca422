#include "foundation/screens/MyNumberPasswordPrompt.h"

#include "controls/dialogs/TInputDlgBox.h"
#include "foundation/MyNumberIO.h"

#include <QApplication>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace {

constexpr int DigitsAndLetters = 30;

std::optional<std::string> AskPassword(int attempt)
{
    TInputDlgBox box(QApplication::activeWindow());
    box.InputKind = 1;
    box.DlgCaption = "マイナンバー管理パスワードの確認";
    if (attempt == 1) {
        box.Prompt = "マイナンバー管理パスワードを入力して下さい。";
        box.PromptColor = QApplication::palette().color(QPalette::WindowText);
    } else {
        box.Prompt = "正しいパスワードを入力して下さい。";
        box.PromptColor = QColor(255, 0, 0);
    }
    box.Value.clear();
    box.MaxInputLength = 8;
    box.InputImeMode = imDisable;
    box.InputHint =
        "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。3回続けて失敗すると呼出し元の画面に"
        "戻ります。";
    box.SetupInputDlg(true);
    box.SetInputCharFilter(DigitsAndLetters);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    if (box.exec() != 1)
        return std::nullopt;
    return box.Value;
}

}  // namespace

void InstallMyNumberPasswordPrompt()
{
    SetMyNumberPasswordPrompt(&AskPassword);
}
