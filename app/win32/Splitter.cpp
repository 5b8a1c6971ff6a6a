#include "app/win32/Splitter.h"

#include <array>

#include "app/win32/WindowClass.h"

namespace {

constexpr wchar_t kClass[] = L"OrvaleSplitter";

// Every other pixel, shifted by one each row.
BrushHandle HatchBrush() {
    static constexpr std::array<WORD, 8> kPattern = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    const BitmapHandle bits(CreateBitmap(8, 8, 1, 1, kPattern.data()));
    return BrushHandle(CreatePatternBrush(bits.get()));
}

}  // namespace

Splitter::Splitter(HWND parent) : parent_(parent), hatch_(HatchBrush()) {
    static const ATOM registered = [] {
        const WNDCLASSEXW windowClass = OwnWindowClass(kClass, SplitterProc, IDC_SIZEWE);
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
    splitter_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                                GetModuleHandleW(nullptr), this);
}

Splitter::~Splitter() { DestroyWindow(splitter_); }

void Splitter::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(splitter_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Splitter::SplitterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Splitter*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->splitter_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* splitter = reinterpret_cast<Splitter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!splitter) return DefWindowProcW(window, message, wParam, lParam);
    return splitter->OnMessage(message, wParam, lParam);
}

LRESULT Splitter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    switch (message) {
        case WM_LBUTTONDOWN: StartDrag(x); return 0;
        case WM_MOUSEMOVE:
            if (dragging_) Follow(x);
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) EndDrag(true);
            return 0;
        case WM_KEYDOWN:
            if (dragging_ && wParam == VK_ESCAPE) EndDrag(false);
            return 0;
        case WM_CAPTURECHANGED:
            if (dragging_) EndDrag(false);
            return 0;
        default: return DefWindowProcW(splitter_, message, wParam, lParam);
    }
}

int Splitter::LeftFor(int x) const {
    // The mouse's x is the splitter's own; the line lives in the parent.
    POINT at{x - grab_, 0};
    MapWindowPoints(splitter_, parent_, &at, 1);
    return Limit ? Limit(at.x) : at.x;
}

void Splitter::StartDrag(int x) {
    grab_ = x;
    dragging_ = true;
    SetCapture(splitter_);
    lineLeft_ = LeftFor(x);
    InvertLine(lineLeft_);
}

void Splitter::Follow(int x) {
    const int left = LeftFor(x);
    if (left == lineLeft_) return;
    InvertLine(lineLeft_);
    lineLeft_ = left;
    InvertLine(lineLeft_);
}

void Splitter::EndDrag(bool apply) {
    dragging_ = false;
    InvertLine(lineLeft_);
    if (GetCapture() == splitter_) ReleaseCapture();
    if (apply && OnMoved) OnMoved(lineLeft_);
}

void Splitter::InvertLine(int left) const {
    RECT own{};
    GetClientRect(splitter_, &own);
    POINT top{0, 0};
    MapWindowPoints(splitter_, parent_, &top, 1);
    // Drawn over the panes on either side, which a window's own drawing would clip away.
    HDC dc = GetDCEx(parent_, nullptr, DCX_CACHE | DCX_PARENTCLIP);
    const Selected brush(dc, hatch_.get());
    PatBlt(dc, left, top.y, own.right, own.bottom, PATINVERT);
    ReleaseDC(parent_, dc);
}
