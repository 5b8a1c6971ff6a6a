#pragma once
#include "platform/Desktop.h"

namespace platform {

// ESC from the asynchronous key state; the default message beep.
class Win32Desktop final : public Desktop {
public:
    bool EscapeDown() override;
    void Beep() override;
};

}  // namespace platform
