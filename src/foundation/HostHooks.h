#pragma once
// Hooks to a hosting program. A caller finding a hook empty skips the call
// and takes its own default.

#include <cstdint>
#include <functional>
#include <string>

// command 4 a screen was shown, 10 how many other screens are open, 11 with
// "ZorvathMenu" the menu answer.
using TMenuCallbackHook = std::function<std::int32_t(std::int32_t command, const std::string& text)>;
// Starts the screen registered under a process name; -1 when nothing started.
using TProcessLauncherHook =
    std::function<std::int32_t(const std::string& processName, std::int32_t mode, const std::string& paramLines)>;
// Validates a company database: 1 sound, 0 damaged; mode 0 tells the user.
using TDataCheckHook =
    std::function<std::int32_t(const std::string& host, const std::string& dataDir, std::int32_t mode)>;
using TFormActivateHook = std::function<void(bool flag, std::int32_t value)>;
using TDataOpenedHook = std::function<void(std::int32_t value)>;
using TDataCaptionHook =
    std::function<void(std::int32_t index, const std::string& text, std::int32_t flag, const std::string& text2)>;
using TDataPanelHook = std::function<void(std::int32_t index, std::int32_t value)>;

extern TMenuCallbackHook MenuCallbackHook;
extern TProcessLauncherHook ProcessLauncherHook;
extern TDataCheckHook DataCheckHook;
extern TFormActivateHook FormActivateHook;
extern TDataOpenedHook DataOpenedHook;
extern TDataCaptionHook DataCaptionHook;
extern TDataPanelHook DataPanelHook;
// The cash-book import reports its status through the same two hooks that
// data communication uses for the caption and the panels.
inline TDataCaptionHook& StatusTextHook = DataCaptionHook;
inline TDataPanelHook& StatusRefreshHook = DataPanelHook;

// Empties all seven hooks (shut-down).
void ClearHooks();
