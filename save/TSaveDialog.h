#pragma once
// The save dialog: remembers the last accepted name and file type for the run.
#include <string>

#include "save/SavePath.h"

class TSaveDialog {
public:
    std::string FileName;        // code page 932, as the dialog returned it
    std::string NativeFileName;  // the same name as the file system spells it
    int FilterIndex = 1;         // 1: text files, 2: HTML files

    // Modal, through the presenter in use; true when the user accepted a name. Opens with
    // FileName and FilterIndex.
    bool Execute();
    save::SavePath Path() const { return {FileName, NativeFileName}; }

    // Takes an accepted name and the file type it was accepted with (1-based; 0 keeps
    // FilterIndex).
    void Accept(const save::SavePath& path, int filterIndex);
};

// Who shows the save dialog: the window's own, unless another presenter has been put in
// place. Without either, every opening is cancelled.
class SaveDialogPresenter {
public:
    virtual ~SaveDialogPresenter() = default;
    // Modal; true when a name was accepted, which it hands to dialog.Accept.
    virtual bool Present(TSaveDialog& dialog) = 0;

    static SaveDialogPresenter& Current();
    // Puts a presenter in place; returns the one it replaces (nullptr for the screen).
    static SaveDialogPresenter* Install(SaveDialogPresenter* presenter);
    // The window's own dialog; each window sets it at start-up.
    static void UseScreen(SaveDialogPresenter& screen);
};
