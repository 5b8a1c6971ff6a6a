#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <string>

#include "app/qt/Unit1.h"
#include "dialogs/MessageDialog.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "drives/qt/FileCtrl.h"
#include "resources/Texts.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"
#include "tree/qt/TreeModel.h"

namespace {

const std::string kKept = "typed by hand\r\n";

class MemoCommandTest : public ::testing::Test, protected FakeMachine {
protected:
    MemoCommandTest() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.currentDirectory = "C:\\";
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.Memo1->AppendLine("typed by hand");
    }

    TTreeNodes& Nodes() { return form.TreeView1->Items(); }

    void FillExampleTree() {
        TTreeNode* root = Nodes().AppendChild(nullptr, "c:\\");
        TTreeNode* data = Nodes().AppendChild(root, "Data");
        Nodes().AppendChild(data, "Photos");
        Nodes().AppendChild(root, "Work");
    }

    void RunMemo(int answer) {
        dialogs.AnswerNext(answer);
        form.MnuMemo->trigger();
    }

    ScriptedMessageDialogs dialogs;
    TForm1 form;
};

const std::string kExampleText =
    "c:\\\r\n"
    "\x84\xB0\x20"
    "Data\r\n"
    "\x84\xAB\x20\x84\xAF\x20"
    "Photos\r\n"
    "\x84\xAF\x20"
    "Work\r\n";

}  // namespace

TEST_F(MemoCommandTest, YesReplacesTheTextAndGivesTheEditorTheFocus) {
    FillExampleTree();
    form.TreeView1->setFocus();
    form.Status().SetText("earlier");
    RunMemo(mrYes);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, texts::Cp932(texts::kConfirmReplaceMemo));
    EXPECT_EQ(dialogs.calls[0].kind, mkConfirmation);
    EXPECT_EQ(dialogs.calls[0].buttons, ButtonSet({mbYes, mbNo}));
    EXPECT_EQ(form.Memo1->FullText(), kExampleText);
    EXPECT_EQ(form.Memo1->LineCount(), 4);
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_EQ(QApplication::focusWidget(), form.Memo1);

    // A second run gives the same text again, not a doubled one.
    RunMemo(mrYes);
    EXPECT_EQ(form.Memo1->FullText(), kExampleText);
}

TEST_F(MemoCommandTest, RootOnlyTreeGivesOneLine) {
    Nodes().AppendChild(nullptr, "c:\\");
    RunMemo(mrYes);
    EXPECT_EQ(form.Memo1->FullText(), "c:\\\r\n");
    EXPECT_EQ(form.Memo1->LineCount(), 1);
}

TEST_F(MemoCommandTest, PartialTreeAfterEscapeIsWrittenByTheSameRules) {
    files.AddFolder("c:\\A\\Inner");
    files.AddFolder("c:\\B");
    desktop.HoldEscape();
    form.DriveComboBox1Change(form.DriveComboBox1);
    desktop.ReleaseEscape();
    ASSERT_EQ(form.Status().Text(), texts::Cp932(texts::kScanInterrupted));
    ASSERT_EQ(Nodes().NodeCount(), 2);  // the root and the first entry of its listing

    RunMemo(mrYes);
    EXPECT_EQ(form.Memo1->FullText(),
              "c:\\\r\n\x84\xAF\x20"
              "A\r\n");
}

TEST_F(MemoCommandTest, TextPastTheLimitKeepsTheLeadingPartAndSaysSo) {
    // 30,000 folders of 70 bytes: about 2.2 MB of text.
    TTreeNode* root = Nodes().AppendChild(nullptr, "c:\\");
    const std::string name(70, 'n');
    for (int i = 0; i < 30000; ++i) Nodes().AppendChild(root, name + std::to_string(i % 10));
    form.Status().SetText("earlier");
    RunMemo(mrYes);

    const std::string text = form.Memo1->FullText();
    EXPECT_LE(text.size(), linerules::kMaxLength);
    EXPECT_GT(text.size(), linerules::kMaxLength - 80);
    EXPECT_EQ(text.substr(0, 5), "c:\\\r\n");
    EXPECT_EQ(text.substr(5, 3), "\x84\xB0\x20");
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kMemoTruncated));
    EXPECT_EQ(QApplication::focusWidget(), form.Memo1);
}

TEST_F(MemoCommandTest, ABigTreeGivesTheTextOfOneLinePerNode) {
    // About 24,000 folders, six levels deep, with branches that end early and late: 1.2 MB.
    std::string name;
    for (int i = 0; i < 4; ++i) name += "\x83\x74\x83\x48\x83\x8B\x83\x5F";  // フォルダ
    std::function<void(TTreeNode*, int)> fill = [&](TTreeNode* parent, int depth) {
        const int children = depth == 0 ? 20 : 10 - depth;
        for (int i = 0; i < children; ++i) {
            TTreeNode* child = Nodes().AppendChild(parent, name + std::to_string(i));
            if (depth < 4 && (i + depth) % 4 != 3) fill(child, depth + 1);
        }
    };
    fill(Nodes().AppendChild(nullptr, "c:\\"), 0);
    std::string expected;
    for (const TTreeNode* node = Nodes().FirstNode(); node; node = node->NextInOrder())
        expected += treetext::TreeLine(*node) + "\r\n";
    ASSERT_GT(Nodes().NodeCount(), 20000);
    ASSERT_GT(expected.size(), 1000000u);
    ASSERT_LT(expected.size(), linerules::kMaxLength);

    RunMemo(mrYes);
    EXPECT_EQ(form.Memo1->FullText(), expected);
    EXPECT_EQ(form.Memo1->LineCount(), Nodes().NodeCount());
    EXPECT_EQ(form.Status().Text(), "");
}

TEST_F(MemoCommandTest, AnOpenLabelEditEndsWithItsTextBeforeTheTextIsBuilt) {
    FillExampleTree();
    TreeModel& model = form.TreeView1->Model();
    const QModelIndex work = model.index(1, 0, model.index(0, 0));
    form.TreeView1->setCurrentIndex(work);
    form.TreeView1->edit(work);
    auto* editor = form.TreeView1->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Plans");

    RunMemo(mrYes);
    EXPECT_EQ(form.TreeView1->indexWidget(work), nullptr);  // the editor is closed
    EXPECT_EQ(Nodes().NodeAt(3)->Text(), "Plans");
    EXPECT_EQ(form.Memo1->LineAt(3), "\x84\xAF\x20Plans");
}
