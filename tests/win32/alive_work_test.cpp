// Long work on Windows: the window paints and answers while the work runs, the user's input
// waits until it has ended, and a failure of the work comes back on the window's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "app/AliveWork.h"
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
    PostMessageW(window, WM_KEYDOWN, 'A', 1);
    std::atomic<bool> answered = false;
    int ticks = 0;
    int paintsDuring = 0;
    alivework::Run(
        [&] {
            // Another thread asks the window something and waits for the answer.
            answered = SendMessageW(window, WM_APP, 0, 0) == 1;
            InvalidateRect(window, nullptr, TRUE);
            std::this_thread::sleep_for(std::chrono::milliseconds(350));
        },
        [&] {
            ++ticks;
            paintsDuring = Counting::paints;
            EXPECT_TRUE(alivework::Running());
        });
    EXPECT_TRUE(answered);
    EXPECT_GE(ticks, 1);
    EXPECT_GE(paintsDuring, 1) << "painted while the work ran";
    EXPECT_EQ(Counting::keys, 0) << "the key waits for the work to end";
    EXPECT_FALSE(alivework::Running());
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
    EXPECT_EQ(Counting::keys, 1);
    DestroyWindow(window);
}

TEST(AliveWork, FailureComesBackHereAndWaitingCallsRunAfter) {
    std::vector<int> order;
    bool asked = false;
    EXPECT_THROW(alivework::Run(
                     [&] {
                         std::this_thread::sleep_for(std::chrono::milliseconds(250));
                         throw std::runtime_error("failed");
                     },
                     [&] {
                         // A drop arriving meanwhile: its scan waits for this one.
                         if (!std::exchange(asked, true)) alivework::WhenIdle([&] { order.push_back(2); });
                         if (order.empty()) order.push_back(1);
                     }),
                 std::runtime_error);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    alivework::WhenIdle([&] { order.push_back(3); });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3})) << "with no work under way a call runs at once";
}

}  // namespace
