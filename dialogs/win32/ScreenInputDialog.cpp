#include "dialogs/win32/ScreenInputDialog.h"

#include "dialogs/win32/TInputForm.h"
#include "sjis/WinText.h"

bool ScreenInputDialog::Present(InputDialog& dialog) {
    TInputForm form(dialog);
    if (!form.ShowModal()) return false;
    dialog.SetText(Cp932FromWide(form.Text()));
    return true;
}
