#include "dialogs/InputDialog.h"

#include "resources/Texts.h"

namespace {

class NoScreen final : public InputDialogPresenter {
public:
    bool Present(InputDialog&) override { return false; }
};

InputDialogPresenter* installed = nullptr;
InputDialogPresenter* screen = nullptr;

}  // namespace

InputDialog::InputDialog(std::string_view caption, std::string_view prompt, Lines lines)
    : caption_(texts::Cp932(caption)), prompt_(texts::Cp932(prompt)), lines_(lines) {}

bool InputDialog::Execute() { return InputDialogPresenter::Current().Present(*this); }

InputDialogPresenter& InputDialogPresenter::Current() {
    static NoScreen none;
    if (installed) return *installed;
    return screen ? *screen : none;
}

InputDialogPresenter* InputDialogPresenter::Install(InputDialogPresenter* presenter) {
    InputDialogPresenter* previous = installed;
    installed = presenter;
    return previous;
}

void InputDialogPresenter::UseScreen(InputDialogPresenter& presenter) { screen = &presenter; }
