#pragma once

namespace platform {

// The user's keyboard and the speaker.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Whether ESC is held down at this very moment (a key state, not a key message).
    virtual bool EscapeDown() = 0;
    // The default message beep.
    virtual void Beep() = 0;
};

}  // namespace platform
