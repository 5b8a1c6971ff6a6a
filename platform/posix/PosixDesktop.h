#pragma once
#include <chrono>
#include <mutex>
#include <string>

#include "platform/Desktop.h"

namespace platform {

// ESC from the key map of the X server the program draws on; without one it never reads
// as down. The connection is its own, opened on first use; the scan may poll from a worker
// thread while the window beeps, so one call at a time uses it.
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

    std::mutex mutex_;  // guards the connection and the state below
    std::string xDisplay_;
    void* display_ = nullptr;  // Display*, opened on first use
    bool tried_ = false;
    bool escapeDown_ = false;
    std::chrono::steady_clock::time_point queried_{};
};

}  // namespace platform
