#include "app/win32/Panel.h"

#include "app/win32/WindowClass.h"

namespace {

constexpr wchar_t kClass[] = L"OrvalePanel";

void RegisterClassOnce(WNDPROC procedure) {
    static const ATOM registered = [procedure] {
        const WNDCLASSEXW windowClass = OwnWindowClass(kClass, procedure);
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;
}

}  // namespace

Panel::Panel(HWND parent, bool raised) : raised_(raised) {
    RegisterClassOnce(PanelProc);
    panel_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                             parent, nullptr, GetModuleHandleW(nullptr), this);
}

Panel::~Panel() { DestroyWindow(panel_); }

void Panel::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(panel_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Panel::Width() const {
    RECT r{};
    GetClientRect(panel_, &r);
    return r.right;
}

int Panel::Height() const {
    RECT r{};
    GetClientRect(panel_, &r);
    return r.bottom;
}

LRESULT CALLBACK Panel::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* panel = reinterpret_cast<Panel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (panel && panel->OnResize) panel->OnResize();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (panel && panel->raised_) {
                RECT edge{};
                GetClientRect(window, &edge);
                DrawEdge(dc, &edge, BDR_RAISEDOUTER, BF_RECT);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
