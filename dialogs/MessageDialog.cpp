#include "dialogs/MessageDialog.h"

#include "dialogs/TMessageForm.h"
#include "resources/Texts.h"

namespace {
ScriptedMessageDialogs* activeScript = nullptr;
}

ScriptedMessageDialogs::ScriptedMessageDialogs() { activeScript = this; }
ScriptedMessageDialogs::~ScriptedMessageDialogs() { activeScript = nullptr; }
ScriptedMessageDialogs* ScriptedMessageDialogs::Active() { return activeScript; }

int MessageDialog(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) {
    if (ScriptedMessageDialogs* script = ScriptedMessageDialogs::Active()) {
        script->calls.push_back({std::string(text), kind, buttons});
        if (script->answers.empty()) return mrCancel;
        const int answer = script->answers.front();
        script->answers.pop_front();
        return answer;
    }
    TMessageForm form(text, kind, buttons, helpContext);
    return form.ShowModal();
}

void ShowDriveNotReady() { MessageDialog(texts::Cp932(texts::kDriveNotReady), mkInformation, ButtonSet({mbOK}), 0); }

int AskReplaceMemo() {
    return MessageDialog(texts::Cp932(texts::kConfirmReplaceMemo), mkConfirmation, ButtonSet({mbYes, mbNo}), 0);
}

void ShowNoDriveSelected() {
    MessageDialog(texts::Cp932(texts::kNoDriveSelected), mkConfirmation, ButtonSet({mbOK}), 0);
}

void ShowNoMemo() { MessageDialog(texts::Cp932(texts::kNoMemo), mkConfirmation, ButtonSet({mbOK}), 0); }
