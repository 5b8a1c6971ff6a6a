#pragma once
// The Windows window's save dialog: the system's common save dialog in its Explorer style,
// with the program's two file types, opening with the last accepted name and type, adding no
// extension, asking before it returns an existing file's name, sizable, without the
// read-only box, placed on the main window's monitor once it is laid out.
#include <windows.h>

#include <string>

#include "save/TSaveDialog.h"

class ScreenSaveDialog final : public SaveDialogPresenter {
public:
    explicit ScreenSaveDialog(HWND owner) : owner_(owner) {}
    bool Present(TSaveDialog& dialog) override;

    // The filter as the dialog takes it: description, NUL, patterns, NUL, ..., NUL.
    static std::wstring FilterPairs();
    // A name the dialog returned, as the program shows it and as the file system spells it.
    static save::SavePath PathOf(const std::wstring& returned);

private:
    HWND owner_;
};
