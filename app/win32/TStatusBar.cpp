#include "app/win32/TStatusBar.h"

#include <commctrl.h>

#include <array>

#include "resources/win32/Fonts.h"
#include "sjis/WinText.h"

namespace {

constexpr int kDesignedHeight = 24;
constexpr int kCountMargin = 16;

}  // namespace

TStatusBar::TStatusBar(HWND parent, int id)
    : bar_(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr)) {
    SendMessageW(bar_, SB_SIMPLE, TRUE, 0);
    SetDpi(DpiOf(bar_));
}

TStatusBar::~TStatusBar() { DestroyWindow(bar_); }

void TStatusBar::ShowText(std::string_view cp932) {
    text_ = WideFromCp932(cp932);
    SendMessageW(bar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
    if (CountShown()) SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text_.c_str()));
}

void TStatusBar::PaintNow() { RedrawWindow(bar_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE); }

void TStatusBar::ShowCount(std::string_view cp932) {
    const bool wasShown = CountShown();
    count_ = WideFromCp932(cp932);
    if (!wasShown) SendMessageW(bar_, SB_SIMPLE, FALSE, 0);
    ShowParts();
}

void TStatusBar::HideCount() {
    if (!CountShown()) return;
    count_.clear();
    SendMessageW(bar_, SB_SIMPLE, TRUE, 0);
}

// Two parts: the text, and the count as wide as it needs at the right.
void TStatusBar::ShowParts() {
    RECT bar{};
    GetClientRect(bar_, &bar);
    int countWidth = kCountMargin;
    {
        HDC dc = GetDC(bar_);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0));
        const HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{};
        GetTextExtentPoint32W(dc, count_.c_str(), int(count_.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(bar_, dc);
        countWidth += size.cx + GetSystemMetrics(SM_CXVSCROLL);
    }
    const std::array<int, 2> edges = {std::max(0, int(bar.right) - countWidth), -1};
    SendMessageW(bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text_.c_str()));
    SendMessageW(bar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(count_.c_str()));
}

void TStatusBar::SetDpi(UINT dpi) {
    // The minimum is the height inside the bar's own borders.
    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    SendMessageW(bar_, SB_SETMINHEIGHT, WPARAM(Scaled(kDesignedHeight, dpi) - border), 0);
    Dock();
}

void TStatusBar::Dock() {
    SendMessageW(bar_, WM_SIZE, 0, 0);
    if (CountShown()) ShowParts();
}

int TStatusBar::Height() const {
    RECT r{};
    GetWindowRect(bar_, &r);
    return r.bottom - r.top;
}
