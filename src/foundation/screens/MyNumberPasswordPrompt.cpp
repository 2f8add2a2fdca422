#include "foundation/screens/MyNumberPasswordPrompt.h"

#include "foundation/MyNumberIO.h"
#include "foundation/screens/PasswordInput.h"

namespace {

std::optional<std::string> AskPassword(int attempt)
{
    static const TPasswordInputTexts texts{
        "マイナンバー管理パスワードの確認", "マイナンバー管理パスワードを入力して下さい。",
        "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。3回続けて失敗すると呼出し元の画面に"
        "戻ります。"};
    return AskPasswordOnInputDialog(texts, attempt);
}

}  // namespace

void InstallMyNumberPasswordPrompt()
{
    SetMyNumberPasswordPrompt(&AskPassword);
}
