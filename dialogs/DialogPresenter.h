#pragma once
// Where the program's modal messages and error boxes appear: on the window's screen, unless
// another presenter has been put in place for a while.
#include <string>
#include <string_view>

#include "dialogs/MessageDialog.h"

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    // Shows the message dialog and returns its result. `text` is code page 932.
    virtual int Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) = 0;
    // Shows the error box with its final text (code page 932).
    virtual void Error(const std::string& text) = 0;

    // The presenter in use: the one put in place last, else the screen's. A program that
    // has set no screen answers every message as if its dialog were closed (2) and writes
    // error boxes to standard error.
    static DialogPresenter& Current();
    // Puts a presenter in place; returns the one it replaces (nullptr for the screen).
    static DialogPresenter* Install(DialogPresenter* presenter);
    // The window's own dialogs, which show the real thing; each window sets them at start-up.
    static void UseScreen(DialogPresenter& screen);
};
