#pragma once
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
    void* display_ = nullptr;  // Display*, opened on first use
    bool tried_ = false;
};

}  // namespace platform
