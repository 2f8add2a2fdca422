#pragma once
// Window handles and posted messages between programs.
//
// A window handle names a Unix datagram socket "hwnd-<handle>.sock" in the
// runtime folder. Whoever owns the window listens there
// (WindowMessageListener); anyone may post to it. Posting is one datagram and
// never waits: like a posted window message, it is queued and the sender goes
// on. Enabling, disabling and bringing a window to the front are notices of
// their own kinds, so the owner applies them to its real window.
//
// A handle of 0 is "no window" and never names one. Handles that this layer
// makes stay below 2^31, so they pass through a command line read as a
// 32-bit integer.

#include "platform/UniqueFd.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

using WindowHandle = std::uint64_t;

// Message numbers the program posts or answers.
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_USER = 0x0400;

enum class WindowEventKind : std::uint32_t {
    Posted = 1,          // PostMessage: message, wParam and lParam are set
    Enabled = 2,         // EnableWindow(handle, true)
    Disabled = 3,        // EnableWindow(handle, false)
    BroughtToFront = 4,  // SetForegroundWindow
};

struct WindowEvent {
    WindowEventKind kind = WindowEventKind::Posted;
    std::uint32_t message = 0;  // 0 for the notices
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;

    bool operator==(const WindowEvent&) const = default;
};

// Each returns true when the datagram was queued at a listening window; false
// when there is no such window (no socket, or its owner has gone) or its
// queue is full. None of them throws.
bool PostMessage(WindowHandle handle, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
bool EnableWindow(WindowHandle handle, bool enable);
bool SetForegroundWindow(WindowHandle handle);

// True while a listener owns the handle.
bool IsWindow(WindowHandle handle);

// The handle of a process's main window: the one handle a program that
// started the process can name without being told (as it would find the
// window of a process it launched). Slot 0 of the process's handles; other
// listeners of the process never take it.
WindowHandle MainWindowHandleOf(std::int64_t processId);

// The receiving end of a window handle. Movable, not copyable; its socket
// file is removed when it dies.
class WindowMessageListener final {
public:
    // Takes a new handle of this process's own (derived from the process id),
    // never its main window's.
    WindowMessageListener();
    // Takes the given handle. A socket file left by a listener that has gone
    // is replaced; a handle that a live listener owns is refused with
    // std::system_error (EADDRINUSE); 0 with std::invalid_argument.
    explicit WindowMessageListener(WindowHandle handle);
    ~WindowMessageListener();

    WindowMessageListener(WindowMessageListener&& other) noexcept;
    WindowMessageListener& operator=(WindowMessageListener&& other) noexcept;
    WindowMessageListener(const WindowMessageListener&) = delete;
    WindowMessageListener& operator=(const WindowMessageListener&) = delete;

    WindowHandle Handle() const { return handle_; }

    // The socket, non-blocking: readable when an event is waiting (for a
    // QSocketNotifier). Read events with Receive, not with the descriptor.
    int FileDescriptor() const { return fd_.Get(); }

    // The next event, waiting up to timeout for it (0: only what is queued,
    // negative: without end); nothing when the time ran out. Datagrams that
    // are not events of this layer are dropped. Throws std::system_error
    // when the socket fails, std::logic_error on a moved-from listener.
    std::optional<WindowEvent> Receive(std::chrono::milliseconds timeout);

private:
    bool TryListen(WindowHandle handle);  // false: a live listener owns it
    void Close() noexcept;

    WindowHandle handle_ = 0;
    UniqueFd fd_;
    std::string path_;
    std::string lockPath_;
    std::uint64_t device_ = 0;  // identity of our socket file, so that
    std::uint64_t inode_ = 0;   // closing never removes someone else's
};

}  // namespace platform
