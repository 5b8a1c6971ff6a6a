#pragma once
#include <string>

// The error box on Windows: the system's message box with the final text (code page 932),
// the caption "Orvale", the stop icon and OK, every other window of the program disabled
// meanwhile and the active window active again afterwards.
void ShowWin32ErrorBox(const std::string& text);
