// Long work on Windows: the work runs on a worker thread while this thread paints, takes the
// messages other threads and the system send, and runs `tick`, leaving the user's input
// (keys, mouse, the close box) and the program's own posted calls queued until the work ends.
#include "app/AliveWork.h"

#include <windows.h>

#include <exception>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace alivework {

namespace {

constexpr DWORD kTickMilliseconds = 100;

bool running = false;
std::vector<std::function<void()>> waiting;

class Event {
public:
    Event() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(event_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Handle() const { return event_; }

private:
    HANDLE event_;
};

// Paints and sent messages only: input stays in the queue.
void ServeWindows() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void Run(const std::function<void()>& work, const std::function<void()>& tick) {
    running = true;
    struct Idle {
        ~Idle() {
            running = false;
            for (auto& call : std::exchange(waiting, {})) call();
        }
    } idle;
    const Event done;
    std::exception_ptr failure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            SetEvent(done.Handle());
        });
    } catch (const std::system_error&) {
        // No thread to be had: the work runs here, as it always could, only without the
        // window answering meanwhile.
        work();
        return;
    }
    const HANDLE handle = done.Handle();
    ULONGLONG nextTick = GetTickCount64() + kTickMilliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = now >= nextTick ? 0 : DWORD(nextTick - now);
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &handle, wait, QS_PAINT | QS_SENDMESSAGE, 0);
        if (woke == WAIT_OBJECT_0) break;
        ServeWindows();
        if (GetTickCount64() >= nextTick) {
            if (tick) tick();
            nextTick = GetTickCount64() + kTickMilliseconds;
        }
    }
    worker.join();
    ServeWindows();
    if (failure) std::rethrow_exception(failure);
}

bool Running() { return running; }

void WhenIdle(std::function<void()> call) {
    if (running)
        waiting.push_back(std::move(call));
    else
        call();
}

}  // namespace alivework
