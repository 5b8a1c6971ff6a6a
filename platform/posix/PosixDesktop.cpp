#include "platform/posix/PosixDesktop.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {
bool OffscreenToolkit() {
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    return qpa != nullptr && std::strncmp(qpa, "offscreen", 9) == 0;
}
}  // namespace

PosixDesktop::PosixDesktop() = default;

PosixDesktop::~PosixDesktop() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

bool PosixDesktop::EscapeDown() {
    // The scan polls once per folder entry; a round trip to the X server each time would
    // cost more than the listing. A key state a few milliseconds old is as good to a hand.
    constexpr auto kFresh = std::chrono::milliseconds(5);
    const auto now = std::chrono::steady_clock::now();
    if (now - queried_ >= kFresh) {
        escapeDown_ = QueryEscape();
        queried_ = now;
    }
    return escapeDown_;
}

bool PosixDesktop::QueryEscape() {
    if (!tried_) {
        tried_ = true;
        if (!OffscreenToolkit() && std::getenv("DISPLAY") != nullptr) display_ = XOpenDisplay(nullptr);
    }
    if (!display_) return false;
    auto* display = static_cast<Display*>(display_);
    const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    if (escape == 0) return false;
    char keys[32];
    XQueryKeymap(display, keys);
    return (keys[escape / 8] & (1 << (escape % 8))) != 0;
}

void PosixDesktop::Beep() {
    if (display_) {
        XBell(static_cast<Display*>(display_), 0);
        XFlush(static_cast<Display*>(display_));
        return;
    }
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

}  // namespace platform
