#include "foundation/ScreenServices.h"

#include "foundation/Synchronize.h"

#include <chrono>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>

namespace {

// The screens' callbacks. They are installed once at start-up but may be
// read from a worker thread that waits, hence the lock.
std::mutex g_hooksMutex;
std::function<void()> g_pump;
std::function<int()> g_ppi;
std::function<int()> g_frame;

template <class F>
F Hook(const F& hook)
{
    std::lock_guard lock(g_hooksMutex);
    return hook;
}

std::int32_t Clamp32(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

void SetMessagePump(std::function<void()> pump)
{
    std::lock_guard lock(g_hooksMutex);
    g_pump = std::move(pump);
}

void SetScreenPPIProvider(std::function<int()> provider)
{
    std::lock_guard lock(g_hooksMutex);
    g_ppi = std::move(provider);
}

void SetFrameHeightProvider(std::function<int()> provider)
{
    std::lock_guard lock(g_hooksMutex);
    g_frame = std::move(provider);
}

bool DelayMSec(std::int32_t milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    const std::function<void()> pump = Hook(g_pump);
    do {
        // Steps that a worker thread hands to the main thread run inside
        // every wait, as window messages do.
        CheckSynchronize();
        if (Clock::now() >= deadline)
            break;
        if (pump) {
            pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } else {
            std::this_thread::sleep_for(
                std::min<Clock::duration>(deadline - Clock::now(), std::chrono::milliseconds(1)));
        }
    } while (Clock::now() < deadline);
    return true;
}

std::int32_t ScalePPI(std::int32_t value, std::int32_t toPPI, std::int32_t fromPPI)
{
    if (fromPPI == 0) {
        const std::function<int()> ppi = Hook(g_ppi);
        fromPPI = ppi ? ppi() : 96;
    }
    if (toPPI == fromPPI || fromPPI <= 0)
        return value;
    return Clamp32(static_cast<std::int64_t>(value) * toPPI / fromPPI);
}

std::int32_t AdjustFrameHeight(std::int32_t value, std::uint8_t kind)
{
    const std::function<int()> frame = Hook(g_frame);
    const std::int64_t f = 2 * static_cast<std::int64_t>(frame ? frame() : 0);
    if (f <= 8)
        return value;
    if (kind == 0)
        return Clamp32(value - (f - 8));
    if (kind == 1)
        return Clamp32(value - 2 * (f - 8));
    return value;
}
