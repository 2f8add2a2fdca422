// winmsg-listen [HANDLE]
//
// Owns a window handle and prints each event posted to it as one line, so a
// test (or a person) can watch what a program sends to its calling window:
//
//   ready <handle>                       once the handle can be posted to
//   posted <message> <wParam> <lParam>
//   enabled | disabled | foreground
//
// Without HANDLE it takes a new one. SIGTERM or SIGINT ends it cleanly (the
// socket file is removed); exit status 2 for a bad argument or a handle that
// is taken.

#include "platform/WindowMessages.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <exception>
#include <poll.h>
#include <string_view>
#include <sys/signalfd.h>
#include <system_error>

namespace {

void Print(const platform::WindowEvent& e)
{
    switch (e.kind) {
    case platform::WindowEventKind::Posted:
        std::printf("posted %u %llu %lld\n", e.message, static_cast<unsigned long long>(e.wParam),
                    static_cast<long long>(e.lParam));
        break;
    case platform::WindowEventKind::Enabled:
        std::printf("enabled\n");
        break;
    case platform::WindowEventKind::Disabled:
        std::printf("disabled\n");
        break;
    case platform::WindowEventKind::BroughtToFront:
        std::printf("foreground\n");
        break;
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: winmsg-listen [HANDLE]\n");
        return 2;
    }
    platform::WindowHandle handle = 0;
    if (argc == 2) {
        const std::string_view text(argv[1]);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), handle);
        if (ec != std::errc() || end != text.data() + text.size() || handle == 0) {
            std::fprintf(stderr, "winmsg-listen: \"%s\" is not a window handle\n", argv[1]);
            return 2;
        }
    }

    // Signals arrive as readable data beside the socket, so the loop ends
    // between two events and the listener's destructor removes the socket.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigprocmask(SIG_BLOCK, &stops, nullptr);
    const int signals = signalfd(-1, &stops, SFD_CLOEXEC);
    if (signals < 0) {
        std::perror("winmsg-listen: signalfd");
        return 1;
    }

    try {
        platform::WindowMessageListener listener =
            handle ? platform::WindowMessageListener(handle) : platform::WindowMessageListener();
        std::printf("ready %llu\n", static_cast<unsigned long long>(listener.Handle()));
        std::fflush(stdout);

        for (;;) {
            pollfd fds[2] = {{listener.FileDescriptor(), POLLIN, 0}, {signals, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                std::perror("winmsg-listen: poll");
                return 1;
            }
            while (auto event = listener.Receive(std::chrono::milliseconds(0)))
                Print(*event);
            if (fds[1].revents & POLLIN)
                return 0;
        }
    } catch (const std::system_error& e) {
        std::fprintf(stderr, "winmsg-listen: %s\n", e.what());
        return e.code().value() == EADDRINUSE ? 2 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "winmsg-listen: %s\n", e.what());
        return 1;
    }
}
