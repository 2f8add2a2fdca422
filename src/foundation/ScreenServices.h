#pragma once
// What the core asks of the screens: processing pending window messages
// while it waits, the form's resolution and the window frame. The screens
// install callbacks at start-up; without them each service falls back as it
// says.

#include <cstdint>
#include <functional>

// The screens install the call that processes pending window messages; an
// empty function removes it.
void SetMessagePump(std::function<void()> pump);

// Waits the milliseconds, processing messages through the pump (then
// resting 1 ms) until the time has passed, or just sleeping when no pump is
// installed. Measured on a steady clock, so a change of the system time
// neither stretches nor cuts the wait. Always true.
bool DelayMSec(std::int32_t milliseconds);

// The screens install the resolution of the main form (the screen's when
// there is none) and the height of the window frame (SM_CYFRAME). Without
// them the resolution is 96 and the frame 0.
void SetScreenPPIProvider(std::function<int()> provider);
void SetFrameHeightProvider(std::function<int()> provider);

// Value × (toPPI / fromPPI), truncated toward zero; fromPPI 0 means the main
// form's resolution. Equal resolutions (or a resolution that is not
// positive) give the value itself; results beyond 32 bits are clamped.
std::int32_t ScalePPI(std::int32_t value, std::int32_t toPPI, std::int32_t fromPPI);

// F = 2 × the frame height. F <= 8: the value; else kind 0: value − (F − 8),
// kind 1: value − 2 × (F − 8), any other kind: the value.
std::int32_t AdjustFrameHeight(std::int32_t value, std::uint8_t kind);
