#include "platform/posix/PosixDesktop.h"

#include "platform/Platform.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <utility>

namespace platform {

PosixDesktop::PosixDesktop(std::string xDisplay) : xDisplay_(std::move(xDisplay)) {}

PosixDesktop::~PosixDesktop() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

bool PosixDesktop::EscapeDown() {
    // The scan polls once per folder entry; a round trip to the X server each time would
    // cost more than the listing. A key state a few milliseconds old is as good to a hand.
    constexpr auto kFresh = std::chrono::milliseconds(5);
    const std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (now - queried_ >= kFresh) {
        escapeDown_ = QueryEscape();
        queried_ = now;
    }
    return escapeDown_;
}

void* PosixDesktop::Connection() {
    if (!tried_) {
        tried_ = true;
        if (!xDisplay_.empty()) display_ = XOpenDisplay(xDisplay_.c_str());
    }
    return display_;
}

bool PosixDesktop::QueryEscape() {
    auto* display = static_cast<Display*>(Connection());
    if (!display) return false;
    const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    if (escape == 0) return false;
    char keys[32];
    XQueryKeymap(display, keys);
    return (keys[escape / 8] & (1 << (escape % 8))) != 0;
}

void PosixDesktop::Beep() {
    const std::lock_guard lock(mutex_);
    if (auto* display = static_cast<Display*>(Connection())) {
        XBell(display, 0);
        XFlush(display);
        return;
    }
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

std::unique_ptr<Desktop> NativeDesktop(std::string_view xDisplay) {
    return std::make_unique<PosixDesktop>(std::string(xDisplay));
}

}  // namespace platform
