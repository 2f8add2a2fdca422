#include "foundation/screens/DataPasswordInput.h"

#include "foundation/DataPasswordPrompt.h"
#include "foundation/screens/PasswordInput.h"

namespace {

std::optional<std::string> AskPassword(int attempt)
{
    static const TPasswordInputTexts texts{
        "パスワードの確認", "パスワードを入力して下さい。",
        "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。3回続けて失敗すると「データ選択」画面に"
        "戻ります。"};
    return AskPasswordOnInputDialog(texts, attempt);
}

}  // namespace

void InstallDataPasswordPrompt()
{
    SetDataPasswordPrompt(&AskPassword);
}
