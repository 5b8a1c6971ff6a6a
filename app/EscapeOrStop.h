#pragma once
// The keyboard as a scan polls it: ESC reads as down while it is held, and for good once
// the window has asked its long work to stop. So a close request ends a scan exactly where
// ESC would, with the folders found so far kept.
#include "app/LongWork.h"
#include "platform/Desktop.h"

class EscapeOrStop final : public platform::Desktop {
public:
    EscapeOrStop(platform::Desktop& keys, const LongWork& work) : keys_(keys), work_(work) {}
    bool EscapeDown() override { return work_.StopRequested() || keys_.EscapeDown(); }
    void Beep() override { keys_.Beep(); }

private:
    platform::Desktop& keys_;
    const LongWork& work_;
};
