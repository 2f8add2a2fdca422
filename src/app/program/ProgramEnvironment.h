#pragma once
// The wizard's environment, set before the data module exists: the
// installation's file and folder names from the application information
// file, the program's folders, the screen metrics the dialog base reads and
// the database connection settings of the application ini.
//
// Both steps run on the main thread at start-up and write the program-wide
// records (InstallationNames, SystemDef); nothing here touches a window, so
// the caller measures the screen and hands the numbers in.

#include "foundation/SettingsRecords.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// The framework's application name in this program's messages.
inline constexpr const char* WizardAppTitle = "Varimon連動コンポーネント";

// Copies the loaded application information (AppInfo) into the
// installation's names; editions 1 and 2 take their accent colours.
void SetAppInfoValues();

// System metrics of the screen, in pixels.
struct TScreenMetrics {
    std::int32_t menuHeight = 0;
    std::int32_t captionHeight = 0;
    std::int32_t frameHeight = 0;
};

// A failure of the environment set-up; what() is the text to show
// ("\r" between lines).
class EnvironmentError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills SystemDef with the environment, creates the home's ini, log and
// temp folders and the documents folder, and reads section "LOCAL" of the
// application ini (writing the default file when it is missing or the
// section is empty), then applies the stand-alone settings. The form font
// becomes both framework fonts. Throws EnvironmentError with the message to
// show when no application-data folder is known or the default application
// ini cannot be written; any other failure (a folder that cannot be
// created) propagates as it is.
void InitEnvironment(const TScreenMetrics& metrics, const TFontInfo& formFont);
