#pragma once
// The hints of the data-selection screen: the text before "|" is the tool
// tip, the text after it what the hint area shows while the control has
// the focus.

#include <cstdint>

struct TDataSentakuControlHint {
    const char* Control;  // object name
    const char* Hint;
};

// The fixed hints of the buttons, the check box and the data-place
// controls.
extern const TDataSentakuControlHint DataSentakuControlHints[9];

// The grid's hint for the connection mode and processing kind; nullptr for
// kind 5, where the grid keeps the hint it has.
const char* DataSentakuGridHint(std::uint8_t connectionMode, std::uint8_t syoriType);
