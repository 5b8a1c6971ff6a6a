#pragma once
// The Qt window's save dialog: the toolkit's own file dialog with the two file types, placed
// across the main window's screen, adding no extension and asking before an existing name.
#include "save/TSaveDialog.h"

class ScreenSaveDialog final : public SaveDialogPresenter {
public:
    bool Present(TSaveDialog& saveDialog) override;
};
