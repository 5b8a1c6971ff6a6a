#pragma once
// Message dialogs and error boxes answered by script: while one is alive nothing is shown;
// each message is recorded and gets the next scripted answer (mrCancel, as from the close
// box, when none is left), and each error box's text is recorded.
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogPresenter.h"

class ScriptedMessageDialogs final : public DialogPresenter {
public:
    struct Call {
        std::string text;  // code page 932
        TMessageKind kind;
        TMessageButtons buttons;
    };
    ScriptedMessageDialogs() : previous_(Install(this)) {}
    ~ScriptedMessageDialogs() override { Install(previous_); }
    ScriptedMessageDialogs(const ScriptedMessageDialogs&) = delete;
    ScriptedMessageDialogs& operator=(const ScriptedMessageDialogs&) = delete;

    void AnswerNext(int result) { answers.push_back(result); }
    std::deque<int> answers;
    std::vector<Call> calls;
    std::vector<std::string> errorBoxes;  // code page 932, as shown
    // Runs while each message is up, before it is answered.
    std::function<void(const Call& call)> onMessage;

    int Message(std::string_view text, TMessageKind kind, TMessageButtons buttons, int) override {
        calls.push_back({std::string(text), kind, buttons});
        if (onMessage) onMessage(calls.back());
        if (answers.empty()) return mrCancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Error(const std::string& text) override { errorBoxes.push_back(text); }

private:
    DialogPresenter* previous_;
};
