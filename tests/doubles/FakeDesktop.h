#pragma once
#include <functional>

#include "platform/Desktop.h"

namespace platform {

// A scripted keyboard: ESC reads as down on the polls the script says.
class FakeDesktop final : public Desktop {
public:
    // Called with the 0-based number of the poll; returns whether ESC is down then.
    std::function<bool(int poll)> escapeScript;
    int polls = 0;
    int beeps = 0;

    bool EscapeDown() override;
    void Beep() override { ++beeps; }
    void HoldEscape() {
        escapeScript = [](int) { return true; };
    }
    void ReleaseEscape() { escapeScript = nullptr; }
};

}  // namespace platform
