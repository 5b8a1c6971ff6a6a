#include "dialogs/DialogPresenter.h"

#include <cstdio>

namespace {

class NoScreen final : public DialogPresenter {
public:
    int Message(std::string_view, TMessageKind, TMessageButtons, int) override { return mrCancel; }
    void Error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

DialogPresenter* installed = nullptr;
DialogPresenter* screen = nullptr;

}  // namespace

DialogPresenter& DialogPresenter::Current() {
    static NoScreen none;
    if (installed) return *installed;
    return screen ? *screen : none;
}

DialogPresenter* DialogPresenter::Install(DialogPresenter* presenter) {
    DialogPresenter* previous = installed;
    installed = presenter;
    return previous;
}

void DialogPresenter::UseScreen(DialogPresenter& presenter) { screen = &presenter; }
