#include "dialogs/MessageDialog.h"

#include "resources/Texts.h"

int MessageDialog(std::string_view, TMessageKind, TMessageButtons, int) { return mrCancel; }

void ShowDriveNotReady() {
    MessageDialog(texts::Cp932(texts::kDriveNotReady), mkInformation, ButtonSet({mbOK}), 0);
}

int AskReplaceMemo() {
    return MessageDialog(texts::Cp932(texts::kConfirmReplaceMemo), mkConfirmation, ButtonSet({mbYes, mbNo}), 0);
}

void ShowNoDriveSelected() {
    MessageDialog(texts::Cp932(texts::kNoDriveSelected), mkConfirmation, ButtonSet({mbOK}), 0);
}

void ShowNoMemo() { MessageDialog(texts::Cp932(texts::kNoMemo), mkConfirmation, ButtonSet({mbOK}), 0); }
