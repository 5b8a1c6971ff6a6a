#include "dialogs/FolderDialog.h"

namespace {

class NoScreen final : public FolderDialogPresenter {
public:
    bool Present(FolderDialog&) override { return false; }
};

FolderDialogPresenter* installed = nullptr;
FolderDialogPresenter* screen = nullptr;

}  // namespace

bool FolderDialog::Execute() { return FolderDialogPresenter::Current().Present(*this); }

void FolderDialog::Accept(std::string nativeFolder) {
    chosen_ = std::move(nativeFolder);
    start_ = chosen_;
}

FolderDialogPresenter& FolderDialogPresenter::Current() {
    static NoScreen none;
    if (installed) return *installed;
    return screen ? *screen : none;
}

FolderDialogPresenter* FolderDialogPresenter::Install(FolderDialogPresenter* presenter) {
    FolderDialogPresenter* previous = installed;
    installed = presenter;
    return previous;
}

void FolderDialogPresenter::UseScreen(FolderDialogPresenter& presenter) { screen = &presenter; }
