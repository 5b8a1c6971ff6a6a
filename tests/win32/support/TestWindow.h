#pragma once
// A plain top-level window for a component under test to live in, and the clipboard as
// another program would see it.
#include <windows.h>

#include <string>

class TestWindow {
public:
    TestWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

inline void PutOnClipboard(HWND owner, const std::wstring& text) {
    OpenClipboard(owner);
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(data));
    text.copy(units, text.size());
    units[text.size()] = L'\0';
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

// The clipboard's Unicode text; "<none>" when it holds none.
inline std::wstring ClipboardText(HWND owner) {
    std::wstring text = L"<none>";
    OpenClipboard(owner);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
