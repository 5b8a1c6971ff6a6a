// The View menu without a window: files too, the depth and the names left out, as the user
// sets them (the check mark, the two dialogs, the message for a depth that is no number) and
// as the next scan follows them, the status line telling when the tree on screen was made
// otherwise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeMachine.h"
#include "doubles/ScriptedForm.h"
#include "doubles/ScriptedInputDialogs.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "resources/Texts.h"

namespace {

std::string T(std::string_view utf8) { return texts::Cp932(utf8); }

class FormView : public ::testing::Test, protected FakeMachine {
protected:
    FormView() {
        drives.Add('x', platform::DriveType::Fixed, "Data");
        files.AddFile("x:\\a.txt");
        files.AddFolder("x:\\A\\A1\\deep");
        files.AddFile("x:\\A\\notes.TMP");
        files.AddFolder("x:\\node_modules\\pkg");
        files.AddFile("x:\\b.txt");
        form.Show();
    }

    // Each node as its depth in dots, "file " for a file, then its text, in pre-order.
    std::vector<std::string> Tree() {
        std::vector<std::string> lines;
        for (const TTreeNode* node = form.TreeView1.items.FirstNode(); node; node = node->NextInOrder())
            lines.push_back(std::string(node->Depth(), '.') + (node->IsFile() ? "file " : "") + node->Text());
        return lines;
    }

    const std::vector<std::string> kFolders{"x:\\", ".A", "..A1", "...deep", ".node_modules", "..pkg"};
    ScriptedMessageDialogs dialogs;
    ScriptedInputDialogs inputs;
    ScriptedForm form;
};

TEST_F(FormView, FilesTooAppliesFromTheNextScanAndTheStatusLineSaysSoMeanwhile) {
    // Before any scan there is no tree to tell about.
    form.Command(&Form1Handlers::MnuFilesClick);
    EXPECT_TRUE(form.filesChecked);
    EXPECT_EQ(form.Status().Text(), T(texts::kSelectDrive));
    form.Command(&Form1Handlers::MnuFilesClick);
    EXPECT_FALSE(form.filesChecked);

    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree(), kFolders);
    EXPECT_EQ(form.Status().Text(), "");

    form.Command(&Form1Handlers::MnuFilesClick);
    EXPECT_TRUE(form.filesChecked);
    EXPECT_TRUE(form.Options().files);
    EXPECT_EQ(Tree(), kFolders);  // nothing is scanned again
    EXPECT_EQ(form.Status().Text(), T(texts::kOptionsFromNextScan));
    // Back as the tree was made: the note gives way to what the line said before.
    form.Command(&Form1Handlers::MnuFilesClick);
    EXPECT_EQ(form.Status().Text(), "");
    form.Command(&Form1Handlers::MnuFilesClick);
    EXPECT_EQ(form.Status().Text(), T(texts::kOptionsFromNextScan));

    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".file a.txt", ".file b.txt", ".A", "..file notes.TMP", "..A1",
                                                "...deep", ".node_modules", "..pkg"}));
    EXPECT_EQ(form.Status().Text(), "");
    // The count field counts folders as ever.
    EXPECT_EQ(form.StatusBar1.shown.back(), "");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FormView, TheDepthIsAskedInItsDialogAndANumberIsAskedForAgain) {
    desktop.HoldEscape();
    form.DriveComboBox1.Pick('x');
    desktop.ReleaseEscape();
    ASSERT_EQ(form.Status().Text(), T(texts::kScanInterrupted));

    inputs.TypeNext("abc");
    inputs.TypeNext("0");
    inputs.TypeNext(" \x82\x51 ");  // a full-width ２ between spaces
    form.Command(&Form1Handlers::MnuDepthClick);
    ASSERT_EQ(inputs.openings.size(), 3u);
    EXPECT_EQ(inputs.openings[0].caption, T(texts::kDepthDialogTitle));
    EXPECT_EQ(inputs.openings[0].lines, InputDialog::kOneLine);
    // No limit shows as an empty box; a mistake comes back as it was typed.
    EXPECT_EQ(inputs.openings[0].text, "");
    EXPECT_EQ(inputs.openings[1].text, "abc");
    EXPECT_EQ(inputs.openings[2].text, "0");
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].text, T(texts::kBadDepth));
    EXPECT_EQ(dialogs.calls[0].kind, mkInformation);
    EXPECT_EQ(dialogs.calls[0].buttons, ButtonSet({mbOK}));
    EXPECT_EQ(form.Options().depth, 2);
    EXPECT_EQ(form.Status().Text(), T(texts::kOptionsFromNextScan));

    // A mistake and then a cancel leave the depth as it was; the next opening shows it.
    inputs.TypeNext("x");
    inputs.CancelNext();
    form.Command(&Form1Handlers::MnuDepthClick);
    EXPECT_EQ(form.Options().depth, 2);
    inputs.CancelNext();
    form.Command(&Form1Handlers::MnuDepthClick);
    EXPECT_EQ(inputs.openings.back().text, "2");

    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", "..A1", ".node_modules", "..pkg"}));
    EXPECT_EQ(files.listed.back(), "x:\\node_modules\\");

    // An empty box lists every level again; the tree on screen was cut: the note.
    inputs.TypeNext("");
    form.Command(&Form1Handlers::MnuDepthClick);
    EXPECT_EQ(form.Options().depth, 0);
    EXPECT_EQ(form.Status().Text(), T(texts::kOptionsFromNextScan));
}

TEST_F(FormView, NamesLeftOutAreTypedOnePerLineAndKeptAsTheDialogShowsThem) {
    form.Command(&Form1Handlers::MnuFilesClick);
    inputs.TypeNext(
        "node_modules\r\n\r\n  *.tmp \n\x81\x40"
        "a.TXT\x81\x40\r\n");  // full-width spaces round a.TXT
    form.Command(&Form1Handlers::MnuExcludeClick);
    ASSERT_EQ(inputs.openings.size(), 1u);
    EXPECT_EQ(inputs.openings[0].caption, T(texts::kExcludeDialogTitle));
    EXPECT_EQ(inputs.openings[0].lines, InputDialog::kManyLines);
    EXPECT_EQ(inputs.openings[0].text, "");

    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".file b.txt", ".A", "..A1", "...deep"}));

    // Reopened: one pattern a line, without the blanks around them; a cancel keeps them.
    inputs.CancelNext();
    form.Command(&Form1Handlers::MnuExcludeClick);
    EXPECT_EQ(inputs.openings[1].text, "node_modules\r\n*.tmp\r\na.TXT");
    EXPECT_EQ(form.Status().Text(), "");

    // Emptied: nothing is left out from the next scan on.
    inputs.TypeNext("\r\n");
    form.Command(&Form1Handlers::MnuExcludeClick);
    EXPECT_TRUE(form.Options().excluded.Empty());
    EXPECT_EQ(form.Status().Text(), T(texts::kOptionsFromNextScan));
    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree().size(), 9u);
}

}  // namespace
