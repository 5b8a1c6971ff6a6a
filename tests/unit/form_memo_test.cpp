// Memo creation and the Edit menu without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeMachine.h"
#include "doubles/ScriptedForm.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "resources/Texts.h"
#include "text/LineRules.h"

namespace {

std::string T(std::string_view utf8) { return texts::Cp932(utf8); }

const std::string kTyped = "typed by hand\r\n";

class FormMemo : public ::testing::Test, protected FakeMachine {
protected:
    FormMemo() {
        form.Show();
        form.Memo1.text = kTyped;
    }
    // The worked example: c:\ with Data (Photos, Music with Live), Tools, Work (Notes).
    void FillExampleTree() {
        TTreeNodes& nodes = form.TreeView1.items;
        TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
        TTreeNode* data = nodes.AppendChild(root, "Data");
        nodes.AppendChild(data, "Photos");
        nodes.AppendChild(nodes.AppendChild(data, "Music"), "Live");
        nodes.AppendChild(root, "Tools");
        nodes.AppendChild(nodes.AppendChild(root, "Work"), "Notes");
    }
    void RunMemo(int answer) {
        dialogs.AnswerNext(answer);
        form.Command(&Form1Handlers::MnuMemoClick);
    }

    ScriptedMessageDialogs dialogs;
    ScriptedForm form;
};

TEST_F(FormMemo, YesPutsOneLinePerNodeInTheEditorAndGivesItTheFocus) {
    FillExampleTree();
    std::vector<ScriptedTreePane::Loan> loans;
    form.work.duringWork = [&] { loans.push_back(form.TreeView1.loan); };
    form.Status().SetText("earlier");
    RunMemo(mrYes);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, T(texts::kConfirmReplaceMemo));
    EXPECT_EQ(dialogs.calls[0].kind, mkConfirmation);
    EXPECT_EQ(dialogs.calls[0].buttons, ButtonSet({mbYes, mbNo}));
    EXPECT_EQ(form.Memo1.text,
              "c:\\\r\n"
              "\x84\xB0\x20"
              "Data\r\n"
              "\x84\xAB\x20\x84\xB0\x20"
              "Photos\r\n"
              "\x84\xAB\x20\x84\xAF\x20"
              "Music\r\n"
              "\x84\xAB\x20\x81\x40\x20\x84\xAF\x20"
              "Live\r\n"
              "\x84\xB0\x20"
              "Tools\r\n"
              "\x84\xAF\x20"
              "Work\r\n"
              "\x81\x40\x20\x84\xAF\x20"
              "Notes\r\n");
    EXPECT_EQ(form.StatusBar1.painted.back(), T(texts::kBuildingMemo));
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_EQ(form.Memo1.commands, std::vector<std::string>{"SetFocus"});
    // The store is only read meanwhile: the pane keeps its rows.
    EXPECT_EQ(loans, std::vector<ScriptedTreePane::Loan>{ScriptedTreePane::Loan::kRead});
    EXPECT_EQ(form.TreeView1.loan, ScriptedTreePane::Loan::kNone);
}

TEST_F(FormMemo, NoAndTheCloseBoxLeaveTheEditorTheTreeAndTheStatusAsTheyWere) {
    FillExampleTree();
    form.Status().SetText("earlier");
    for (int answer : {mrNo, mrCancel}) {
        RunMemo(answer);
        EXPECT_EQ(form.Memo1.text, kTyped) << answer;
        EXPECT_EQ(form.Status().Text(), "earlier") << answer;
        EXPECT_EQ(form.TreeView1.items.NodeCount(), 8) << answer;
        EXPECT_TRUE(form.Memo1.commands.empty()) << answer;
    }
    EXPECT_EQ(form.work.runs, 0);
}

TEST_F(FormMemo, AnEmptyTreeIsAskedAboutFirstThenReportedAndTheTextStays) {
    RunMemo(mrYes);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].text, T(texts::kConfirmReplaceMemo));
    EXPECT_EQ(dialogs.calls[1].text, T(texts::kNoDriveSelected));
    EXPECT_EQ(dialogs.calls[1].kind, mkConfirmation);
    EXPECT_EQ(dialogs.calls[1].buttons, ButtonSet({mbOK}));
    EXPECT_EQ(form.Memo1.text, kTyped);
}

TEST_F(FormMemo, ATextPastTheLimitKeepsItsLeadingPartAndSaysSo) {
    // 30,000 folders of 71 bytes and a prefix: about 2.2 MB of text.
    TTreeNode* root = form.TreeView1.items.AppendChild(nullptr, "c:\\");
    for (int i = 0; i < 30000; ++i) form.TreeView1.items.AppendChild(root, std::string(70, 'n') + char('0' + i % 10));
    RunMemo(mrYes);

    const std::string& text = form.Memo1.text;
    EXPECT_LE(text.size(), linerules::kMaxLength);
    EXPECT_GT(text.size(), linerules::kMaxLength - 80);
    EXPECT_EQ(text.substr(0, 8), "c:\\\r\n\x84\xB0\x20");
    EXPECT_EQ(form.Status().Text(), T(texts::kMemoTruncated));
    EXPECT_EQ(form.Memo1.commands, std::vector<std::string>{"SetFocus"});
}

TEST_F(FormMemo, EditCommandsGoToTheEditorAndOnlySelectAllMovesTheFocusThereFirst) {
    form.Command(&Form1Handlers::MnuCutClick);
    form.Command(&Form1Handlers::MnuCopyClick);
    form.Command(&Form1Handlers::MnuPasteClick);
    EXPECT_EQ(form.Memo1.commands, (std::vector<std::string>{"Cut", "Copy", "Paste"}));
    form.Memo1.commands.clear();
    form.Command(&Form1Handlers::MnuAllSelectClick);
    EXPECT_EQ(form.Memo1.commands, (std::vector<std::string>{"SetFocus", "SelectAll"}));
    EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
