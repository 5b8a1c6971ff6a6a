#include "doubles/ScriptedForm.h"

#include "dialogs/ErrorBox.h"
#include "platform/Platform.h"
#include "save/TextLines.h"
#include "sjis/Cp932.h"
#include "text/LineRules.h"

void ScriptedSelector::ShowDrive(char letter) {
    current_ = sjis::AsciiLower(letter);
    selected_ = true;
}

void ScriptedSelector::Create() {
    const std::string folder = platform::Current().drives.CurrentDirectory();
    ShowDrive(folder.empty() || folder[0] == '\\' ? 0 : folder[0]);
    ++changes;
    if (OnChange) OnChange();
}

void ScriptedSelector::Pick(char letter) {
    const bool other = !selected_ || sjis::AsciiUpper(letter) != sjis::AsciiUpper(current_);
    ShowDrive(letter);
    for (int i = other ? 2 : 1; i > 0; --i) {
        ++changes;
        if (OnChange) OnChange();
    }
}

void ScriptedTreePane::Lend(bool rebuild) { loan = rebuild ? Loan::kRebuild : Loan::kRead; }

void ScriptedTreePane::TakeBack() { loan = Loan::kNone; }

void ScriptedEditor::ClearLines() {
    text.clear();
    appendCut_ = false;
}

int ScriptedEditor::AppendLine(std::string_view line) {
    const int index = LineCount();
    const bool lastLineOpen = !text.empty() && !text.ends_with("\r\n");
    const std::string piece = linerules::AppendPiece(linerules::UnifyBreaks(line), lastLineOpen);
    const std::string_view kept = linerules::LeadingPart(piece, linerules::kMaxLength - text.size());
    text += kept;
    appendCut_ = kept.size() < piece.size();
    return index;
}

int ScriptedEditor::LineCount() const { return save::TextLines(text).Count(); }

std::string ScriptedEditor::LineAt(int index) const { return save::TextLines(text).At(index); }

void ScriptedWork::Run(const std::function<void()>& work, const std::function<void()>& tick) {
    struct Running {
        ScriptedWork& owner;
        ~Running() {
            owner.running_ = false;
            owner.tick_ = nullptr;
        }
    } running{*this};
    ++runs;
    running_ = true;
    tick_ = tick;
    if (duringWork) duringWork();
    work();
}

void ScriptedWork::WhenIdle(std::function<void()> call) {
    if (running_)
        posted_.push_back(std::move(call));
    else
        call();
}

void ScriptedWork::Tick() {
    if (tick_) tick_();
}

void ScriptedWork::RunPosted() {
    while (!posted_.empty() && !running_) {
        std::function<void()> call = std::move(posted_.front());
        posted_.pop_front();
        call();
    }
}

ScriptedForm::ScriptedForm() {
    DriveComboBox1.OnChange = [this] { errorbox::Guard([&] { DriveComboBox1Change(&DriveComboBox1); }); };
    FormCreate(this);
}

void ScriptedForm::Show() {
    DriveComboBox1.Create();
    FormShow(this);
}

void ScriptedForm::Command(void (Form1Handlers::*handler)(const void*)) {
    errorbox::Guard([&] { (this->*handler)(this); });
}

bool ScriptedForm::CloseBox() {
    bool canClose = true;
    errorbox::Guard([&] { FormCloseQuery(this, canClose); });
    if (canClose) closed = true;
    return canClose;
}
