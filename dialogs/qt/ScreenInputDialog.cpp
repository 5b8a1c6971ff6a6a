#include "dialogs/qt/ScreenInputDialog.h"

#include "dialogs/qt/TInputForm.h"
#include "sjis/qt/QtText.h"

bool ScreenInputDialog::Present(InputDialog& dialog) {
    TInputForm form(dialog);
    if (form.exec() != QDialog::Accepted) return false;
    dialog.SetText(FromQString(form.Text()));
    return true;
}
