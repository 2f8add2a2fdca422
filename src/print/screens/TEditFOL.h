#pragma once
// The print engine's edit control: the key-navigating edit (Enter and the
// arrows move the focus as KeyStyles choose, caret placement on entry, the
// reading collector, no pasting while the input method is off), created as
// the engine's number fields want it: right-aligned, flat, input method
// off.

#include "controls/widgets/TxEdit.h"

class TEditFOL final : public TxEdit {
    Q_OBJECT
public:
    explicit TEditFOL(QWidget* parent = nullptr);
};
