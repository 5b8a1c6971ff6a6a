#pragma once
// The Qt window's input dialog: TInputForm.
#include "dialogs/InputDialog.h"

class ScreenInputDialog final : public InputDialogPresenter {
public:
    bool Present(InputDialog& dialog) override;
};
