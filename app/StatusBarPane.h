#pragma once
// The window's status bar as the status line uses it: one text across the bar, and at its
// right a count field that comes and goes. Each window's TStatusBar is one.
#include <string_view>

class StatusBarPane {
public:
    virtual ~StatusBarPane() = default;
    // Shows the text (code page 932) in place of the one shown.
    virtual void ShowText(std::string_view cp932) = 0;
    // Paints the bar now, without waiting for the event loop.
    virtual void PaintNow() = 0;
    // Shows the count field with this text (code page 932).
    virtual void ShowCount(std::string_view cp932) = 0;
    // Takes the count field away.
    virtual void HideCount() = 0;
};
