#include "dialogs/win32/DialogWindow.h"

#include <array>
#include <string_view>

namespace {

struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE head{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 100, 50};
    std::array<WORD, 3> none{};  // no menu, the standard class, no title
};

}  // namespace

HWND CreateEmptyDialog(DLGPROC procedure, LPARAM self) {
    static const EmptyTemplate empty;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.head, GetActiveWindow(), procedure, self);
}

FontHandle MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return nullptr;
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

msglayout::Rect ScreenOfActiveWindow() {
    HWND active = GetActiveWindow();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(active ? active : GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& r = monitor.rcMonitor;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

msglayout::Size LetterRun(HDC dc) {
    static constexpr std::wstring_view kLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters.data(), int(kLetters.size()), &letters);
    return {letters.cx, letters.cy};
}

msglayout::Size FrameOf(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}
