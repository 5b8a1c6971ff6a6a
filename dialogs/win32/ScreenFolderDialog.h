#pragma once
// The Windows window's folder chooser: the system's own folder picker, modal over the
// program's windows, opening at the folder chosen last in this run when there is one.
#include <windows.h>

#include "dialogs/FolderDialog.h"

class ScreenFolderDialog final : public FolderDialogPresenter {
public:
    explicit ScreenFolderDialog(HWND owner) : owner_(owner) {}
    bool Present(FolderDialog& folders) override;

private:
    HWND owner_;
};
