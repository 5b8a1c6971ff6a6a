#pragma once
// The folder chooser: opens at the folder chosen last in this run (else where the window's
// own chooser starts), and names the folder chosen as the file system spells it.
#include <string>
#include <utility>

class FolderDialog {
public:
    // Modal, through the presenter in use; true when a folder was chosen.
    bool Execute();
    const std::string& Chosen() const { return chosen_; }
    // Where the next Execute opens; a folder that is gone is not asked for.
    const std::string& Start() const { return start_; }
    void SetStart(std::string nativeFolder) { start_ = std::move(nativeFolder); }
    // Takes the chosen folder, which is also where the next opening starts.
    void Accept(std::string nativeFolder);

private:
    std::string start_;
    std::string chosen_;
};

// Who shows the folder chooser: the window's own, unless another presenter has been put in
// place. Without either, nothing is ever chosen.
class FolderDialogPresenter {
public:
    virtual ~FolderDialogPresenter() = default;
    // Modal; true when a folder was chosen, which it hands to dialog.Accept.
    virtual bool Present(FolderDialog& dialog) = 0;

    static FolderDialogPresenter& Current();
    // Puts a presenter in place; returns the one it replaces (nullptr for the screen).
    static FolderDialogPresenter* Install(FolderDialogPresenter* presenter);
    // The window's own chooser; each window sets it at start-up.
    static void UseScreen(FolderDialogPresenter& screen);
};
