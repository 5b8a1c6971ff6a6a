#pragma once
// The save dialog answered by script: while one is alive nothing is shown; each opening is
// recorded with what the dialog would have opened with, and gets the next scripted answer
// (a cancel when none is left).
#include <deque>
#include <string>
#include <vector>

#include "save/TSaveDialog.h"

class ScriptedSaveDialogs final : public SaveDialogPresenter {
public:
    struct Opening {
        std::string fileName;  // code page 932
        int filterIndex;
    };
    struct Answer {
        bool accepted;
        std::string nativePath;  // as the file system spells it
        int filterIndex;
    };
    ScriptedSaveDialogs() : previous_(Install(this)) {}
    ~ScriptedSaveDialogs() override { Install(previous_); }
    ScriptedSaveDialogs(const ScriptedSaveDialogs&) = delete;
    ScriptedSaveDialogs& operator=(const ScriptedSaveDialogs&) = delete;

    void AcceptNext(const std::string& nativePath, int filterIndex) {
        answers.push_back({true, nativePath, filterIndex});
    }
    void CancelNext() { answers.push_back({false, {}, 0}); }
    std::deque<Answer> answers;
    std::vector<Opening> openings;

    bool Present(TSaveDialog& dialog) override {
        openings.push_back({dialog.FileName, dialog.FilterIndex});
        if (answers.empty()) return false;
        const Answer answer = answers.front();
        answers.pop_front();
        if (!answer.accepted) return false;
        dialog.Accept(save::SavePath::FromNative(answer.nativePath), answer.filterIndex);
        return true;
    }

private:
    SaveDialogPresenter* previous_;
};
