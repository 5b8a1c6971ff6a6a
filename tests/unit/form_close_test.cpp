// Closing the window: at once without a question, and during long work once the work has
// stopped as ESC would stop it, keeping what a scan found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeMachine.h"
#include "doubles/ScriptedForm.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "resources/Texts.h"

namespace {

class FormClose : public ::testing::Test, protected FakeMachine {
protected:
    FormClose() {
        drives.Add('x', platform::DriveType::Fixed, "Data");
        files.AddFolder("x:\\A\\A1");
        files.AddFolder("x:\\B");
        files.AddFolder("x:\\C");
        form.Show();
    }
    std::vector<std::string> Tree() {
        std::vector<std::string> lines;
        for (const TTreeNode* node = form.TreeView1.items.FirstNode(); node; node = node->NextInOrder())
            lines.push_back(std::string(node->Depth(), '.') + node->Text());
        return lines;
    }

    ScriptedMessageDialogs dialogs;
    ScriptedForm form;
};

TEST_F(FormClose, TheCloseBoxAndExitCloseAtOnceWithoutAQuestionEvenWithUnsavedText) {
    form.Memo1.text = "never saved\r\n";
    EXPECT_TRUE(form.CloseBox());
    EXPECT_TRUE(form.closed);

    ScriptedForm other;
    other.Show();
    other.Command(&Form1Handlers::MnuExitClick);
    EXPECT_TRUE(other.closed);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FormClose, TheCloseBoxDuringAScanStopsItWhereEscWouldAndClosesOnceItHasEnded) {
    std::vector<bool> answers;
    files.onList = [&](const std::string& folder) {
        if (folder == "x:\\A\\") answers.push_back(form.CloseBox());
    };
    form.DriveComboBox1.Pick('x');

    EXPECT_EQ(answers, std::vector<bool>{false});
    EXPECT_FALSE(form.closed);
    // The first run had appended A1 when it saw the stop at its next poll; the second run of
    // the pick saw it at the root's second entry.
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A"}));
    EXPECT_TRUE(form.IsInterrupted());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kScanInterrupted));
    EXPECT_TRUE(dialogs.calls.empty());

    form.work.RunPosted();  // the event loop, once the pick has returned
    EXPECT_TRUE(form.closed);
}

TEST_F(FormClose, ExitDuringMemoCreationLetsTheMemoFinishThenCloses) {
    form.DriveComboBox1.Pick('x');
    dialogs.AnswerNext(mrYes);
    form.work.duringWork = [&] { form.Command(&Form1Handlers::MnuExitClick); };
    form.Command(&Form1Handlers::MnuMemoClick);

    EXPECT_FALSE(form.closed);
    EXPECT_EQ(form.Memo1.LineCount(), 5);
    EXPECT_EQ(form.Memo1.LineAt(4),
              "\x84\xAF\x20"
              "C");
    EXPECT_EQ(form.Status().Text(), "");
    form.work.RunPosted();
    EXPECT_TRUE(form.closed);
}

TEST_F(FormClose, EveryWorkAfterACloseRequestStopsAndTheWindowClosesOnce) {
    form.work.duringWork = [&] {
        form.CloseBox();
        form.CloseBox();
    };
    form.DriveComboBox1.ShowDrive('x');
    form.DriveComboBox1Change(&form.DriveComboBox1);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A"}));

    form.work.duringWork = nullptr;
    // A folder handed over meanwhile: its listing starts with "." and "..", and the stop is
    // seen at "..".
    form.ScanFolder("x:\\A");
    EXPECT_EQ(Tree(), std::vector<std::string>{"x:\\A\\"});
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kScanInterrupted));
    form.work.RunPosted();
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(form.closeRequests, 1);
}

}  // namespace
