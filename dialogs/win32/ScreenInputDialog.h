#pragma once
// The Windows window's input dialog: TInputForm.
#include "dialogs/InputDialog.h"

class ScreenInputDialog final : public InputDialogPresenter {
public:
    bool Present(InputDialog& dialog) override;
};
