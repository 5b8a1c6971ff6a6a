#include "dialogs/win32/ModalScope.h"

namespace {

struct Disabling {
    HWND keep;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
    auto& disabling = *reinterpret_cast<Disabling*>(param);
    if (window != disabling.keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabling.disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

ModalScope::ModalScope(HWND modal) : previous_(GetActiveWindow()), cursor_(SetCursor(LoadCursorW(nullptr, IDC_ARROW))) {
    Disabling disabling{modal, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabling));
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    SetCursor(cursor_);
    if (previous_ && IsWindow(previous_)) SetActiveWindow(previous_);
}
