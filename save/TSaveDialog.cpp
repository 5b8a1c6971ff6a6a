#include "save/TSaveDialog.h"

namespace {

class NoScreen final : public SaveDialogPresenter {
public:
    bool Present(TSaveDialog&) override { return false; }
};

SaveDialogPresenter* installed = nullptr;
SaveDialogPresenter* screen = nullptr;

}  // namespace

bool TSaveDialog::Execute() { return SaveDialogPresenter::Current().Present(*this); }

void TSaveDialog::Accept(const save::SavePath& path, int filterIndex) {
    FileName = path.name;
    NativeFileName = path.native;
    if (filterIndex >= 1) FilterIndex = filterIndex;
}

SaveDialogPresenter& SaveDialogPresenter::Current() {
    static NoScreen none;
    if (installed) return *installed;
    return screen ? *screen : none;
}

SaveDialogPresenter* SaveDialogPresenter::Install(SaveDialogPresenter* presenter) {
    SaveDialogPresenter* previous = installed;
    installed = presenter;
    return previous;
}

void SaveDialogPresenter::UseScreen(SaveDialogPresenter& presenter) { screen = &presenter; }
