#pragma once
#include <chrono>

#include "platform/Desktop.h"

namespace platform {

// ESC from the X server's key map; without an X server it never reads as down.
class PosixDesktop final : public Desktop {
public:
    PosixDesktop();
    ~PosixDesktop() override;
    bool EscapeDown() override;
    void Beep() override;

private:
    bool QueryEscape();

    void* display_ = nullptr;  // Display*, opened on first use
    bool tried_ = false;
    bool escapeDown_ = false;
    std::chrono::steady_clock::time_point queried_{};
};

}  // namespace platform
