#include "dialogs/win32/ScreenPresenter.h"

#include "dialogs/win32/ErrorBox.h"
#include "dialogs/win32/TMessageForm.h"

int ScreenPresenter::Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) {
    TMessageForm form(text, kind, buttons, helpContext);
    return form.ShowModal();
}

void ScreenPresenter::Error(const std::string& text) { ShowWin32ErrorBox(text); }
