#pragma once
// The small input dialogs answered by script: while one is alive nothing is shown; each
// opening records its caption and the text it opened with, and gets the next scripted
// answer: a text typed and OK, or a cancel (also when none is left).
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/InputDialog.h"

class ScriptedInputDialogs final : public InputDialogPresenter {
public:
    struct Opening {
        std::string caption;  // code page 932
        std::string text;     // what the box showed
        InputDialog::Lines lines;
    };
    ScriptedInputDialogs() : previous_(Install(this)) {}
    ~ScriptedInputDialogs() override { Install(previous_); }
    ScriptedInputDialogs(const ScriptedInputDialogs&) = delete;
    ScriptedInputDialogs& operator=(const ScriptedInputDialogs&) = delete;

    void TypeNext(std::string cp932) { answers.push_back(std::move(cp932)); }
    void CancelNext() { answers.push_back(std::nullopt); }
    std::deque<std::optional<std::string>> answers;
    std::vector<Opening> openings;

    bool Present(InputDialog& dialog) override {
        openings.push_back({dialog.Caption(), dialog.Text(), dialog.LineKind()});
        if (answers.empty()) return false;
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        if (!answer) return false;
        dialog.SetText(*answer);
        return true;
    }

private:
    InputDialogPresenter* previous_;
};
