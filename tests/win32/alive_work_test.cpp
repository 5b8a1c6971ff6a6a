// Long work on Windows: the window paints and answers while the work runs, the user's input
// waits until it has ended, a click on the close box asks the work to stop, and a failure of
// the work comes back on the window's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "app/win32/AliveWork.h"
#include "support/TestWindow.h"

namespace {

// A window that counts what reaches it.
struct Counting {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT paint;
                BeginPaint(window, &paint);
                EndPaint(window, &paint);
                ++paints;
                return 0;
            }
            case WM_KEYDOWN: ++keys; return 0;
            case WM_APP: return ++sent;
            default: return DefWindowProcW(window, message, wParam, lParam);
        }
    }
    static inline int paints = 0, keys = 0, sent = 0;
};

HWND CountingWindow() {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Counting::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"AliveWorkTest";
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    return CreateWindowExW(0, L"AliveWorkTest", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(AliveWork, PaintsAndAnswersWhileInputWaits) {
    HWND window = CountingWindow();
    MSG pending;
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
    Counting::paints = Counting::keys = Counting::sent = 0;
    SetForegroundWindow(window);
    SetFocus(window);
    // A key the user types: input, not a posted message.
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = 'A';
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, key, sizeof(INPUT)), 2u);
    AliveWork work;
    std::atomic<bool> answered = false;
    int ticks = 0;
    int paintsDuring = 0;
    work.Run(
        [&] {
            // Another thread asks the window something and waits for the answer.
            answered = SendMessageW(window, WM_APP, 0, 0) == 1;
            InvalidateRect(window, nullptr, TRUE);
            std::this_thread::sleep_for(std::chrono::milliseconds(350));
        },
        [&] {
            ++ticks;
            paintsDuring = Counting::paints;
            EXPECT_TRUE(work.Running());
        });
    EXPECT_TRUE(answered);
    EXPECT_GE(ticks, 1);
    EXPECT_GE(paintsDuring, 1) << "painted while the work ran";
    EXPECT_EQ(Counting::keys, 0) << "the key waits for the work to end";
    EXPECT_FALSE(work.Running());
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
    EXPECT_EQ(Counting::keys, 1) << "and then it comes";
    DestroyWindow(window);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(AliveWork, FailureComesBackHereAndWaitingCallsRunOnceTheHandlerHasReturned) {
    AliveWork work;
    std::vector<int> order;
    bool asked = false;
    const auto failing = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        throw std::runtime_error("failed");
    };
    // A drop arriving meanwhile: its scan waits for this one.
    const auto drop = [&] {
        if (!std::exchange(asked, true)) work.WhenIdle([&] { order.push_back(2); });
    };
    EXPECT_THROW(work.Run(failing, drop), std::runtime_error);
    order.push_back(1);
    // A second change event of the same pick starts its work before the loop gets to the call.
    work.Run([] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); }, [] { Pump(); });
    EXPECT_EQ(order, (std::vector<int>{1})) << "the call waits while work runs";
    Pump();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    work.WhenIdle([&] { order.push_back(3); });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3})) << "with no work under way a call runs at once";
}

TEST(AliveWork, AClickOnTheCloseBoxAsksTheWorkToStop) {
    HWND window = CountingWindow();
    AliveWork work;
    int asked = 0;
    work.WatchCloseBox(window, [&] {
        ++asked;
        work.RequestStop();
    });
    SetForegroundWindow(window);
    // The middle of the close box: the right end of the caption.
    RECT outer{};
    GetWindowRect(window, &outer);
    const int x = outer.right - GetSystemMetrics(SM_CXSIZEFRAME) - GetSystemMetrics(SM_CXSIZE) / 2 - 1;
    const int y = outer.top + GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTCLOSE);
    SetCursorPos(x, y);
    work.Run(
        [&] {
            INPUT click{};
            click.type = INPUT_MOUSE;
            click.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            SendInput(1, &click, sizeof click);
            for (int i = 0; i < 200 && !work.StopRequested(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        },
        {});
    EXPECT_TRUE(work.StopRequested());
    EXPECT_EQ(asked, 1);
    // The click itself was left for after the work: let the button go before it is handled.
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof release);
    DestroyWindow(window);
}

}  // namespace
