#pragma once
// A password asked on the input dialog, as the foundation's password checks
// ask it: up to eight digits and letters, centred on the screen, the first
// attempt with the prompt in the window-text colour and every later one
// with "正しいパスワードを入力して下さい。" in red on an emptied entry.

#include <optional>
#include <string>

struct TPasswordInputTexts {
    std::string Caption;
    std::string FirstPrompt;
    std::string Hint;
};

// The entry, or nothing when the user did not press OK.
std::optional<std::string> AskPasswordOnInputDialog(const TPasswordInputTexts& texts, int attempt);
