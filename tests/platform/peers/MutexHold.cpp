// mutex-hold NAME [PROGRAM ARGS...]
// mutex-hold --wait
//
// Creates the named mutex NAME and prints "held" or "busy"; with PROGRAM it
// then starts that program as a child (it inherits nothing of the mutex) and
// prints "child <pid>". It keeps the mutex until its standard input ends or
// it is killed. "--wait" only waits for the end of standard input: a
// long-lived child to start.

#include "platform/NamedMutex.h"

#include <cstdio>
#include <exception>
#include <spawn.h>
#include <string_view>
#include <unistd.h>

extern char** environ;

namespace {

void WaitForEndOfInput()
{
    char buf[256];
    while (read(STDIN_FILENO, buf, sizeof buf) > 0) {
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]) == "--wait") {
        WaitForEndOfInput();
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: mutex-hold NAME [PROGRAM ARGS...] | mutex-hold --wait\n");
        return 2;
    }
    try {
        platform::NamedMutex mutex(argv[1]);
        std::printf("%s\n", mutex.Held() ? "held" : "busy");
        if (argc > 2) {
            pid_t child = 0;
            const int rc = posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, environ);
            if (rc != 0) {
                std::fprintf(stderr, "mutex-hold: cannot start %s\n", argv[2]);
                return 1;
            }
            std::printf("child %d\n", static_cast<int>(child));
        }
        std::fflush(stdout);
        WaitForEndOfInput();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mutex-hold: %s\n", e.what());
        return 1;
    }
}
