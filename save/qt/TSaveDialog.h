#pragma once
#include <QString>
#include <string>

#include "save/SavePath.h"

class QWidget;

// The save dialog: remembers the last accepted name and file type for the run.
class TSaveDialog {
public:
    std::string FileName;        // code page 932, as the dialog returned it
    std::string NativeFileName;  // the same name as the file system spells it
    int FilterIndex = 1;         // 1: text files, 2: HTML files

    // Modal; true when the user accepted a name. Opens with FileName and FilterIndex.
    bool Execute(QWidget* owner);
    save::SavePath Path() const { return {FileName, NativeFileName}; }

    // Takes an accepted name and the file type it was accepted with (1-based; 0 keeps
    // FilterIndex).
    void Accept(const QString& path, int filterIndex);
};

// Who shows the save dialog: the screen, unless another presenter has been put in place.
class SaveDialogPresenter {
public:
    virtual ~SaveDialogPresenter() = default;
    // Modal; true when a name was accepted, which it hands to dialog.Accept.
    virtual bool Present(TSaveDialog& dialog, QWidget* owner) = 0;

    static SaveDialogPresenter& Current();
    // Puts a presenter in place; returns the one it replaces (nullptr for the screen).
    static SaveDialogPresenter* Install(SaveDialogPresenter* presenter);
};
