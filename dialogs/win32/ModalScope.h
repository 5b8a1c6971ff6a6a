#pragma once
// What a modal window does around itself: every other top-level window of the thread
// disabled and the arrow cursor while it is up; then the windows enabled again and the
// window that was active before activated again.
#include <windows.h>

#include <vector>

class ModalScope {
public:
    // `modal` stays enabled (nullptr when it does not exist yet).
    explicit ModalScope(HWND modal);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND PreviouslyActive() const { return previous_; }

private:
    HWND previous_;
    HCURSOR cursor_;
    std::vector<HWND> disabled_;
};
