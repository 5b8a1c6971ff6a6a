#pragma once
// The folder chooser: the toolkit's own dialog (not the desktop's, so that it can be driven
// like the save dialog), in Japanese, opening at the folder chosen last in this run, else at
// the home folder.
#include <string>
#include <utility>

class QWidget;

class FolderDialog {
public:
    // Modal; true when a folder was chosen. Chosen() then names it as the file system
    // spells it.
    bool Execute(QWidget* owner);
    const std::string& Chosen() const { return chosen_; }
    // Where the next Execute opens; a folder that is gone is not asked for.
    void SetStart(std::string nativeFolder) { start_ = std::move(nativeFolder); }

private:
    std::string start_;
    std::string chosen_;
};
