#pragma once
#include <chrono>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// ESC from the key map of the X server the program draws on; without one it never reads
// as down. The connection is its own, opened on first use.
class PosixDesktop final : public Desktop {
public:
    // `xDisplay`: the X server's display name, empty for none.
    explicit PosixDesktop(std::string xDisplay);
    ~PosixDesktop() override;
    bool EscapeDown() override;
    void Beep() override;

private:
    void* Connection();
    bool QueryEscape();

    std::string xDisplay_;
    void* display_ = nullptr;  // Display*, opened on first use
    bool tried_ = false;
    bool escapeDown_ = false;
    std::chrono::steady_clock::time_point queried_{};
};

}  // namespace platform
