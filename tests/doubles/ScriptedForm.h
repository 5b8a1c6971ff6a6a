#pragma once
// A window for the handlers with no toolkit: each part is a plain object that records what
// the handlers do to it and lets a test act as the user and the event loop would. Drives,
// folders and keys come from the platform in place (see FakeMachine); dialogs from the
// presenters in place.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Form1Handlers.h"
#include "app/LongWork.h"
#include "app/StatusBarPane.h"
#include "app/StatusLine.h"
#include "drives/DriveSelector.h"
#include "text/EditorPane.h"
#include "tree/TreePane.h"

// The drive selector: a pick raises the change event twice for another drive, once for the
// drive already selected, as TDriveComboBox does.
class ScriptedSelector final : public DriveSelector {
public:
    char CurrentDrive() const override { return current_; }
    void ShowDrive(char letter) override;
    // The selector's window made: the current directory's drive selected, one event.
    void Create();
    // The user picks the drive `letter`.
    void Pick(char letter);

    std::function<void()> OnChange;
    int changes = 0;

private:
    char current_ = 0;
    bool selected_ = false;
};

class ScriptedTreePane final : public TreePane {
public:
    TTreeNodes& Items() override { return items; }
    void Lend(bool rebuild) override;
    void TakeBack() override;

    TTreeNodes items;
    // How the store is lent now: not at all, for reading, or to be rebuilt.
    enum class Loan { kNone, kRead, kRebuild } loan = Loan::kNone;
};

// The editor: its text held as the window's editor holds it (limit, line rules); focus and
// clipboard commands are recorded in order.
class ScriptedEditor final : public EditorPane {
public:
    void ClearLines() override;
    int AppendLine(std::string_view line) override;
    int LineCount() const override;
    std::string LineAt(int index) const override;
    std::string FullText() const override { return text; }
    bool AppendCut() const override { return appendCut_; }
    void SetFocus() override { commands.push_back("SetFocus"); }
    void CutToClipboard() override { commands.push_back("Cut"); }
    void CopyToClipboard() override { commands.push_back("Copy"); }
    void PasteFromClipboard() override { commands.push_back("Paste"); }
    void SelectAll() override { commands.push_back("SelectAll"); }

    std::string text;
    std::vector<std::string> commands;

private:
    bool appendCut_ = false;
};

class ScriptedStatusBar final : public StatusBarPane {
public:
    void ShowText(std::string_view cp932) override { shown.emplace_back(cp932); }
    void PaintNow() override { painted.push_back(shown.empty() ? std::string() : shown.back()); }
    void ShowCount(std::string_view cp932) override { count = std::string(cp932); }
    void HideCount() override { count.reset(); }

    std::vector<std::string> shown;    // every text shown, in order
    std::vector<std::string> painted;  // the text on the bar at each forced paint
    std::optional<std::string> count;  // the count field, while shown
};

// Long work run on the test's thread. The test plays the event loop meanwhile: Tick() runs
// the window's tick, and calls the work left for later run on RunPosted().
class ScriptedWork final : public LongWork {
public:
    void Run(const std::function<void()>& work, const std::function<void()>& tick) override;
    bool Running() const override { return running_; }
    void WhenIdle(std::function<void()> call) override;

    void Tick();
    void RunPosted();
    int runs = 0;
    // Runs at the start of each work, as an event that arrives while it runs.
    std::function<void()> duringWork;

private:
    bool running_ = false;
    std::function<void()> tick_;
    std::deque<std::function<void()>> posted_;
};

class ScriptedForm final : public Form1Handlers {
public:
    // Built, with FormCreate run, not yet shown.
    ScriptedForm();
    // Shown for the first time: the selector's creation event (ignored), then FormShow.
    void Show();
    // A menu command, run as the window runs every handler.
    void Command(void (Form1Handlers::*handler)(const void*));
    // The close box: true when the window closed.
    bool CloseBox();

    StatusLine& Status() override { return status_; }

    ScriptedSelector DriveComboBox1;
    ScriptedTreePane TreeView1;
    ScriptedEditor Memo1;
    ScriptedStatusBar StatusBar1;
    ScriptedWork work;
    bool closed = false;
    int closeRequests = 0;  // the handlers asking the window to close

protected:
    DriveSelector& Selector() override { return DriveComboBox1; }
    TreePane& Tree() override { return TreeView1; }
    EditorPane& Editor() override { return Memo1; }
    LongWork& Work() override { return work; }
    void Close() override {
        ++closeRequests;
        CloseBox();
    }

private:
    StatusLine status_{StatusBar1};
};
