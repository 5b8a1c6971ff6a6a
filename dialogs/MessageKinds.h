#pragma once
// The dialog's kinds and button kinds: captions (UTF-8, from the program's texts),
// names and results.
#include <string_view>

#include "dialogs/MessageDialog.h"

struct MessageButtonKind {
    std::string_view name;     // the button's object name
    std::string_view caption;  // "&" marks the accelerator
    int modalResult;           // 0: the button does not close the dialog
};

const MessageButtonKind& ButtonKindOf(TMessageButton kind);

// The window caption of a kind; the application title for mkCustom.
std::string_view KindCaption(TMessageKind kind);

// Whether the kind shows a system icon.
bool KindHasIcon(TMessageKind kind);
