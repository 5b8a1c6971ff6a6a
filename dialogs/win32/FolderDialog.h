#pragma once
// The folder chooser: the system's own folder picker, opening at the folder chosen last in
// this run when there is one.
#include <windows.h>

#include <string>
#include <utility>

class FolderDialog {
public:
    // Modal over the program's windows; true when a folder was chosen. Chosen() then names
    // it as the file system spells it.
    bool Execute(HWND owner);
    const std::string& Chosen() const { return chosen_; }
    // Where the next Execute opens; a folder that is gone is not asked for.
    void SetStart(std::string nativeFolder) { start_ = std::move(nativeFolder); }

private:
    std::string start_;
    std::string chosen_;
};
