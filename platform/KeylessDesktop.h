#pragma once
#include <cstdio>

#include "platform/Desktop.h"

namespace platform {

// A desktop with no keyboard to ask: ESC never reads as down, and the beep is the
// terminal's bell.
class KeylessDesktop final : public Desktop {
public:
    bool EscapeDown() override { return false; }
    void Beep() override {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
};

}  // namespace platform
