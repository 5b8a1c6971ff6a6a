// The Windows error box: the failure's message with the "." rule, caption "Orvale", the
// program's other windows disabled while it is up and the active window active again after.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "dialogs/ErrorBox.h"
#include "dialogs/win32/ScreenPresenter.h"
#include "support/TestWindow.h"

namespace {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool mainEnabled = true;
};

SeenBox seen;
HWND mainWindow = nullptr;

// Runs inside the box's own loop: reads it as a user sees it, then presses OK.
void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    if (!box || box == mainWindow) return;  // not up yet: the timer comes again
    KillTimer(nullptr, id);
    wchar_t text[256] = {};
    GetWindowTextW(box, text, 256);
    seen.caption = text;
    GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message's static control
    seen.text = text;
    seen.mainEnabled = IsWindowEnabled(mainWindow);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(ErrorBox, AFailureAHandlerLetsThroughIsShownAndTheProgramGoesOn) {
    TestWindow window;
    mainWindow = window.Handle();
    ShowWindow(mainWindow, SW_SHOW);
    SetActiveWindow(mainWindow);
    ScreenPresenter screen;
    DialogPresenter::UseScreen(screen);
    SetTimer(nullptr, 0, 50, ReadAndClose);
    bool after = false;
    // A message ending in a double-byte character gets the "." (アイテムの挿入ができません).
    errorbox::Guard([] {
        throw std::runtime_error(
            "\x83\x41\x83\x43\x83\x65\x83\x80\x82\xCC\x91\x7D\x93\xFC\x82\xAA\x82\xC5\x82\xAB"
            "\x82\xDC\x82\xB9\x82\xF1");
    });
    after = true;
    EXPECT_TRUE(after);
    EXPECT_EQ(seen.caption, L"Orvale");
    EXPECT_EQ(seen.text, L"\u30A2\u30A4\u30C6\u30E0\u306E\u633F\u5165\u304C\u3067\u304D\u307E\u305B\u3093.");
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(GetActiveWindow(), mainWindow);
}

}  // namespace
