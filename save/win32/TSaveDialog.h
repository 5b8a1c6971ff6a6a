#pragma once
// The save dialog: the system's common save dialog in its Explorer style, with the file
// types of the program's filter, remembering the last accepted name and type for the run.
#include <windows.h>

#include <string>

#include "save/SavePath.h"

class TSaveDialog {
public:
    std::string FileName;        // code page 932, as the dialog returned it
    std::string NativeFileName;  // the same name as the file system spells it
    int FilterIndex = 1;         // 1: text files, 2: HTML files

    // Modal over the program's windows; true when the user accepted a name. Opens with
    // FileName and FilterIndex, adds no extension, asks before returning an existing file's
    // name, and is placed on the monitor of `owner`.
    bool Execute(HWND owner);
    save::SavePath Path() const { return {FileName, NativeFileName}; }

    // Takes an accepted name and the file type it was accepted with (1-based; 0 keeps
    // FilterIndex).
    void Accept(std::wstring path, int filterIndex);

    // The filter as the dialog takes it: description, NUL, patterns, NUL, ..., NUL.
    static std::wstring FilterSpec();

private:
    std::wstring shown_;  // the accepted name exactly as the dialog gave it
};
