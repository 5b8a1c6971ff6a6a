#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace platform {

// Down now: the most significant bit of the 16-bit state.
bool Win32Desktop::EscapeDown() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

void Win32Desktop::Beep() { MessageBeep(0xFFFF); }

}  // namespace platform
