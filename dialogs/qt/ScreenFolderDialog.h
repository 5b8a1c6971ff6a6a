#pragma once
// The Qt window's folder chooser: the toolkit's own dialog (not the desktop's, so that it can
// be driven like the save dialog), in Japanese, opening at the folder chosen last in this
// run, else at the home folder.
#include "dialogs/FolderDialog.h"

class ScreenFolderDialog final : public FolderDialogPresenter {
public:
    bool Present(FolderDialog& folders) override;
};
