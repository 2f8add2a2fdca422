#include "foundation/Synchronize.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace {

struct Pending {
    const std::function<void()>* step = nullptr;
    std::exception_ptr error;
    bool done = false;
};

std::mutex g_mutex;
std::condition_variable g_done;
std::deque<Pending*> g_queue;
// Static initialisation runs on the thread that runs main.
const std::thread::id g_main = std::this_thread::get_id();

bool OnMainThread()
{
    return std::this_thread::get_id() == g_main;
}

}  // namespace

void Synchronize(const std::function<void()>& step)
{
    if (OnMainThread()) {
        step();
        return;
    }
    Pending pending;
    pending.step = &step;
    std::unique_lock lock(g_mutex);
    g_queue.push_back(&pending);
    g_done.wait(lock, [&] { return pending.done; });
    if (pending.error)
        std::rethrow_exception(pending.error);
}

bool CheckSynchronize()
{
    if (!OnMainThread())
        return false;
    bool ran = false;
    for (;;) {
        Pending* pending = nullptr;
        {
            std::lock_guard lock(g_mutex);
            if (g_queue.empty())
                return ran;
            pending = g_queue.front();
            g_queue.pop_front();
        }
        try {
            (*pending->step)();
        } catch (...) {
            pending->error = std::current_exception();
        }
        {
            std::lock_guard lock(g_mutex);
            pending->done = true;
        }
        g_done.notify_all();
        ran = true;
    }
}
