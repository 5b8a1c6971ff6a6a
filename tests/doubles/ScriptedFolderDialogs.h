#pragma once
// The folder chooser answered by script: while one is alive nothing is shown; each opening
// records where it would have opened and gets the next scripted folder (a cancel when none
// is left).
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/FolderDialog.h"

class ScriptedFolderDialogs final : public FolderDialogPresenter {
public:
    ScriptedFolderDialogs() : previous_(Install(this)) {}
    ~ScriptedFolderDialogs() override { Install(previous_); }
    ScriptedFolderDialogs(const ScriptedFolderDialogs&) = delete;
    ScriptedFolderDialogs& operator=(const ScriptedFolderDialogs&) = delete;

    void ChooseNext(const std::string& nativeFolder) { answers.push_back(nativeFolder); }
    void CancelNext() { answers.push_back(std::nullopt); }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> openedAt;  // the start of each opening

    bool Present(FolderDialog& dialog) override {
        openedAt.push_back(dialog.Start());
        if (answers.empty()) return false;
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        if (!answer) return false;
        dialog.Accept(*answer);
        return true;
    }

private:
    FolderDialogPresenter* previous_;
};
