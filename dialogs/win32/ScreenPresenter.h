#pragma once
// The Windows window's message dialog (TMessageForm) and error box (the system's message box).
#include "dialogs/DialogPresenter.h"

class ScreenPresenter final : public DialogPresenter {
public:
    int Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext) override;
    void Error(const std::string& text) override;
};
