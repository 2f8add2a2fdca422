#include "foundation/EdgeGuard.h"

#include <exception>

#include "controls/Abort.h"
#include "foundation/UserMessage.h"

bool RunAtEdge(const std::function<void()>& work)
{
    // Showing the message may itself fail (no screen, a broken presenter);
    // that must not escape either.
    const auto show = [](const std::string& text) noexcept {
        try {
            ShowUserMessage(text, TMsgDlgType::mtError);
        } catch (...) {
        }
    };
    try {
        work();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        const std::string text = e.what();
        show(text.empty() ? UnknownErrorMessage : text);
    } catch (...) {
        show(UnknownErrorMessage);
    }
    return false;
}
