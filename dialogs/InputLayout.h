#pragma once
// The input dialog's arithmetic, in the message dialog's units (MessageLayout.h): margins,
// spacings and buttons from the dialog font's character cell, so that both look alike. No
// toolkit here, so that both windows place it the same and it is tested exactly.
#include <functional>

#include "dialogs/InputDialog.h"
#include "dialogs/MessageLayout.h"

namespace inputlayout {

// The box holds this many average characters across, and the box of several lines this
// many lines.
inline constexpr int kBoxColumns = 40;
inline constexpr int kBoxLines = 8;

struct Measures {
    msglayout::Size letters;                     // the 52 letters A..Z a..z in the dialog font
    msglayout::Rect screen;                      // the screen that holds the active window
    msglayout::Size frame;                       // outer window size minus client size
    msglayout::Size prompt;                      // the prompt on one line
    std::function<int(TMessageButton)> caption;  // a caption's width on one line
};

struct Layout {
    msglayout::Units units;
    msglayout::Size client;
    msglayout::Rect prompt;
    msglayout::Rect box;
    msglayout::Rect ok;
    msglayout::Rect cancel;
    int left = 0;  // outer window position: centred on the screen
    int top = 0;
};

// The prompt at the top, the box under it as wide as the widest of the three (the prompt,
// kBoxColumns characters, the buttons), OK and キャンセル centred under the box.
Layout LayOut(const Measures& measures, InputDialog::Lines lines, msglayout::ButtonWidthTable& table);

}  // namespace inputlayout
