#include "dialogs/MessageDialog.h"

#include "dialogs/DialogPresenter.h"
#include "resources/Texts.h"

int MessageDialog(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) {
    return DialogPresenter::Current().Message(text, kind, buttons, helpContext);
}

void ShowDriveNotReady() { MessageDialog(texts::Cp932(texts::kDriveNotReady), mkInformation, ButtonSet({mbOK}), 0); }

void ShowCannotOpenFolder(std::string_view path) {
    MessageDialog(texts::Format(texts::kCannotOpenFolder, path), mkInformation, ButtonSet({mbOK}), 0);
}

int AskReplaceMemo() {
    return MessageDialog(texts::Cp932(texts::kConfirmReplaceMemo), mkConfirmation, ButtonSet({mbYes, mbNo}), 0);
}

void ShowNoDriveSelected() {
    MessageDialog(texts::Cp932(texts::kNoDriveSelected), mkConfirmation, ButtonSet({mbOK}), 0);
}

void ShowBadDepth() { MessageDialog(texts::Cp932(texts::kBadDepth), mkInformation, ButtonSet({mbOK}), 0); }

void ShowNoMemo() { MessageDialog(texts::Cp932(texts::kNoMemo), mkConfirmation, ButtonSet({mbOK}), 0); }
