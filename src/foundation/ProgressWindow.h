#pragma once
// The progress window as code without screens reaches it: the screens own
// the window (a Qt dialog) and hand the core this face of it, so that long
// work can label it and notice a cancel while the core stays free of Qt.

#include <string>

class TProgressWindow {
public:
    virtual ~TProgressWindow() = default;

    virtual void SetProgressCaption(const std::string& caption) = 0;
    // Also while the window is open.
    virtual void SetProgressInfoLabel(const std::string& text) = 0;
    // Whether the user pressed the cancel button since the window opened.
    virtual bool CancelPressed() const = 0;
};
