#include "platform/WindowMessages.h"

#include "platform/PeerProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <limits>
#include <set>
#include <vector>
#include <algorithm>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

namespace {

using namespace platform;
using namespace std::chrono_literals;
using testing_support::PeerProcess;
using testing_support::TempRuntimeDir;

class WindowMessagesTest : public ::testing::Test {
protected:
    std::string SocketPath(WindowHandle h) const { return runtime_.Path() + "/hwnd-" + std::to_string(h) + ".sock"; }

    // Starts winmsg-listen and returns the handle it announces.
    static WindowHandle StartListener(PeerProcess& peer)
    {
        const auto line = peer.ReadLine();
        if (!line || line->rfind("ready ", 0) != 0) {
            ADD_FAILURE() << "listener did not start: " << line.value_or("<nothing>");
            return 0;
        }
        return std::stoull(line->substr(6));
    }

    TempRuntimeDir runtime_;
};

TEST_F(WindowMessagesTest, ListenerInAnotherProcessReceivesEverythingInOrder)
{
    PeerProcess caller(WINMSG_LISTEN_PATH, {});
    const WindowHandle h = StartListener(caller);
    ASSERT_NE(h, 0u);
    EXPECT_LT(h, 1ull << 31);  // fits a 32-bit command-line field
    EXPECT_TRUE(IsWindow(h));

    // What the program does to its caller: disable at start; at the end
    // bring to front, enable, post the result.
    EXPECT_TRUE(EnableWindow(h, false));
    EXPECT_TRUE(SetForegroundWindow(h));
    EXPECT_TRUE(EnableWindow(h, true));
    EXPECT_TRUE(PostMessage(h, 1025, 3, 0));
    EXPECT_TRUE(PostMessage(h, std::numeric_limits<std::uint32_t>::max(), std::numeric_limits<std::uint64_t>::max(),
                            std::numeric_limits<std::int64_t>::min()));

    EXPECT_EQ(caller.ReadLine(), "disabled");
    EXPECT_EQ(caller.ReadLine(), "foreground");
    EXPECT_EQ(caller.ReadLine(), "enabled");
    EXPECT_EQ(caller.ReadLine(), "posted 1025 3 0");
    EXPECT_EQ(caller.ReadLine(), "posted 4294967295 18446744073709551615 -9223372036854775808");

    // Once the window is gone, posting fails and its socket file is removed.
    caller.Signal(SIGTERM);
    const int status = caller.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(SocketPath(h)));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(PostMessage(h, 1025, 3, 1));
}

TEST_F(WindowMessagesTest, NoWindowMeansFalse)
{
    for (const WindowHandle h : {WindowHandle{0}, WindowHandle{1234}}) {
        SCOPED_TRACE(h);
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(PostMessage(h, 1025, 3, 0));
        EXPECT_FALSE(EnableWindow(h, true));
        EXPECT_FALSE(SetForegroundWindow(h));
    }
    EXPECT_THROW(WindowMessageListener{0}, std::invalid_argument);
}

TEST_F(WindowMessagesTest, StaleSocketOfAKilledListenerIsReplaced)
{
    {
        PeerProcess dead(WINMSG_LISTEN_PATH, {"1234"});
        ASSERT_EQ(StartListener(dead), 1234u);
        dead.Signal(SIGKILL);
        dead.Wait();
    }
    ASSERT_TRUE(std::filesystem::exists(SocketPath(1234)));  // left behind
    EXPECT_FALSE(IsWindow(1234));
    EXPECT_FALSE(PostMessage(1234, 1025, 3, 0));

    PeerProcess fresh(WINMSG_LISTEN_PATH, {"1234"});
    ASSERT_EQ(StartListener(fresh), 1234u);
    EXPECT_TRUE(PostMessage(1234, 1025, 3, 2));
    EXPECT_EQ(fresh.ReadLine(), "posted 1025 3 2");
}

TEST_F(WindowMessagesTest, LiveListenerKeepsItsHandle)
{
    PeerProcess owner(WINMSG_LISTEN_PATH, {"1234"});
    ASSERT_EQ(StartListener(owner), 1234u);

    try {
        WindowMessageListener thief(1234);
        ADD_FAILURE() << "a live handle was taken";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code().value(), EADDRINUSE);
    }
    PeerProcess second(WINMSG_LISTEN_PATH, {"1234"});
    const int status = second.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);

    EXPECT_TRUE(PostMessage(1234, 16, 0, 0));
    EXPECT_EQ(owner.ReadLine(), "posted 16 0 0");
}

TEST_F(WindowMessagesTest, ListenerLifetimeHandlesAndForeignDatagrams)
{
    std::set<WindowHandle> handles;
    std::vector<WindowMessageListener> listeners;
    for (int i = 0; i < 5; ++i) {
        listeners.emplace_back();  // moves as the vector grows
        handles.insert(listeners.back().Handle());
    }
    EXPECT_EQ(handles.size(), 5u);
    for (const auto& l : listeners)
        EXPECT_TRUE(IsWindow(l.Handle()));

    WindowMessageListener& l = listeners.front();
    EXPECT_EQ(l.Receive(0ms), std::nullopt);
    EXPECT_EQ(l.Receive(20ms), std::nullopt);

    // Datagrams of other shapes are dropped, not taken for events.
    {
        const platform::UniqueFd s(::socket(AF_UNIX, SOCK_DGRAM, 0));
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const std::string path = SocketPath(l.Handle());
        std::copy(path.begin(), path.end(), addr.sun_path);
        const char junk[40] = "not a window message";
        for (const std::size_t size : {std::size_t{1}, std::size_t{32}, std::size_t{40}}) {
            ASSERT_GE(::sendto(s.Get(), junk, size, 0, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
        }
    }
    ASSERT_TRUE(PostMessage(l.Handle(), WM_CLOSE, 0, 0));
    EXPECT_EQ(l.Receive(5s), (WindowEvent{WindowEventKind::Posted, WM_CLOSE, 0, 0}));
    EXPECT_EQ(l.Receive(0ms), std::nullopt);

    const WindowHandle h = l.Handle();
    listeners.erase(listeners.begin());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(std::filesystem::exists(SocketPath(h)));
    for (const auto& other : listeners)
        EXPECT_TRUE(IsWindow(other.Handle()));
}

TEST_F(WindowMessagesTest, DeepRuntimeFolderStillWorks)
{
    // A socket address holds only 107 bytes of path.
    const std::string deep = runtime_.Path() + "/" + std::string(60, 'd') + "/" + std::string(60, 'e');
    std::filesystem::create_directories(deep);
    ::setenv("LEDRIX_RUNTIME_DIR", deep.c_str(), 1);

    PeerProcess caller(WINMSG_LISTEN_PATH, {"77"});
    ASSERT_EQ(StartListener(caller), 77u);
    EXPECT_TRUE(std::filesystem::exists(deep + "/hwnd-77.sock"));
    EXPECT_TRUE(IsWindow(77));
    EXPECT_TRUE(PostMessage(77, 1025, 0, 1));
    EXPECT_EQ(caller.ReadLine(), "posted 1025 0 1");
}

}  // namespace
