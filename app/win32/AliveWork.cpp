#include "app/win32/AliveWork.h"

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace {

constexpr DWORD kTickMilliseconds = 100;
constexpr UINT kRunWaiting = WM_APP + 1;
constexpr wchar_t kCallerClass[] = L"OrvaleAliveWork";

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

}  // namespace

AliveWork::AliveWork() {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = CallerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kCallerClass;
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    caller_ =
        CreateWindowExW(0, kCallerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(caller_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

AliveWork::~AliveWork() { DestroyWindow(caller_); }

void AliveWork::WatchCloseBox(HWND window, std::function<void()> onClose) {
    watched_ = window;
    onClose_ = std::move(onClose);
}

void AliveWork::WhenIdle(std::function<void()> call) {
    if (!running_) {
        call();
        return;
    }
    waiting_.push_back(std::move(call));
}

LRESULT CALLBACK AliveWork::CallerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* work = reinterpret_cast<AliveWork*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kRunWaiting || !work) return DefWindowProcW(window, message, wParam, lParam);
    work->RunWaiting();
    return 0;
}

void AliveWork::RunWaiting() {
    // Work begun since the calls were handed on runs to its end first.
    if (running_) return;
    for (auto& call : std::exchange(waiting_, {})) call();
}

// Paints, sent and posted messages, but no input. A click waiting on the close box is the
// user's close request: it asks the work to stop, and is itself handled after the work.
void AliveWork::ServeWindow() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE)) {
        // The calls waiting for this work stay queued until it has ended.
        if (message.hwnd == caller_ && message.message == kRunWaiting) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (watched_ && !stopAsked_ &&
        PeekMessageW(&message, watched_, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_NOREMOVE | PM_NOYIELD) &&
        message.wParam == HTCLOSE) {
        stopAsked_ = true;
        if (onClose_) onClose_();
    }
}

void AliveWork::Run(const std::function<void()>& work, const std::function<void()>& tick) {
    running_ = true;
    stopAsked_ = false;
    struct Idle {
        AliveWork& owner;
        ~Idle() {
            owner.running_ = false;
            // Handed to the message loop: they run once the handler that ran the work returns.
            if (!owner.waiting_.empty()) PostMessageW(owner.caller_, kRunWaiting, 0, 0);
        }
    } idle{*this};
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
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &handle, wait,
                                                       QS_PAINT | QS_SENDMESSAGE | QS_POSTMESSAGE | QS_MOUSEBUTTON, 0);
        if (woke == WAIT_OBJECT_0) break;
        ServeWindow();
        if (GetTickCount64() >= nextTick) {
            if (tick) tick();
            nextTick = GetTickCount64() + kTickMilliseconds;
        }
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}
