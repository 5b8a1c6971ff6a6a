// The scan handlers without a window: a drive picked, a folder opened, as the user meets
// them (status texts in order, dialogs asked, the tree left), on any system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeMachine.h"
#include "doubles/ScriptedFolderDialogs.h"
#include "doubles/ScriptedForm.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "platform/Attributes.h"
#include "resources/Texts.h"
#include "tree/TreeErrors.h"

namespace {

std::string T(std::string_view utf8) { return texts::Cp932(utf8); }

class FormScan : public ::testing::Test, protected FakeMachine {
protected:
    FormScan() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('x', platform::DriveType::Fixed, "Data");
        drives.Add('a', platform::DriveType::Removable, std::nullopt);
        files.AddFolder("c:\\Windows");
        files.AddFolder("x:\\A\\A1");
        files.AddFolder("x:\\B");
        files.AddFolder("x:\\Secret", platform::faHidden);
        form.Show();
    }

    // Each node as its depth in dots followed by its text, in pre-order.
    std::vector<std::string> Tree() {
        std::vector<std::string> lines;
        for (const TTreeNode* node = form.TreeView1.items.FirstNode(); node; node = node->NextInOrder())
            lines.push_back(std::string(node->Depth(), '.') + node->Text());
        return lines;
    }
    // Runs `inside` when the scan opens the listing of `folder`.
    void AtListing(const std::string& folder, std::function<void()> inside) {
        files.onList = [folder, inside](const std::string& listed) {
            if (listed == folder) inside();
        };
    }

    const std::vector<std::string> kDriveX{"x:\\", ".A", "..A1", ".B"};
    ScriptedMessageDialogs dialogs;
    ScriptedFolderDialogs folders;
    ScriptedForm form;
};

TEST(FormStart, ChangeEventsBeforeTheFirstShowDoNothingAndShowingAsksForADrive) {
    FakeMachine machine;
    machine.files.AddFolder("c:\\Windows");
    ScriptedMessageDialogs dialogs;
    ScriptedForm form;
    form.DriveComboBox1Change(&form.DriveComboBox1);
    EXPECT_FALSE(form.IsActivated());

    form.Show();  // the selector's own event at its creation comes first, and is ignored
    EXPECT_EQ(form.DriveComboBox1.changes, 1);
    EXPECT_EQ(form.DriveComboBox1.CurrentDrive(), 'c');
    EXPECT_TRUE(machine.files.listed.empty());
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(form.StatusBar1.shown, std::vector<std::string>{T(texts::kSelectDrive)});
    EXPECT_TRUE(form.IsActivated());
    EXPECT_EQ(form.TreeView1.items.NodeCount(), 0);
}

TEST_F(FormScan, APickOfAnotherDriveScansItTwiceWithTheProgressPaintedAndTheCountShown) {
    std::vector<ScriptedTreePane::Loan> loans;
    std::vector<std::optional<std::string>> counts;
    AtListing("x:\\A\\", [&] {
        loans.push_back(form.TreeView1.loan);
        form.work.Tick();
        counts.push_back(form.StatusBar1.count);
    });
    form.DriveComboBox1.Pick('x');

    EXPECT_EQ(Tree(), kDriveX);
    EXPECT_EQ(form.NodePath(2), "x:\\A\\A1\\");
    EXPECT_FALSE(form.IsInterrupted());
    EXPECT_EQ(form.work.runs, 2);
    const std::vector<std::string> once{"x:\\", "x:\\A\\", "x:\\A\\A1\\", "x:\\B\\"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(files.listed, twice);
    const std::string scanning = T(texts::kScanning);
    EXPECT_EQ(form.StatusBar1.shown, (std::vector<std::string>{T(texts::kSelectDrive), scanning, "", scanning, ""}));
    EXPECT_EQ(form.StatusBar1.painted, (std::vector<std::string>{scanning, scanning}));
    // While the scan runs the pane is out of the store and the count field shows the two
    // folders of the root; both are gone when it ends.
    EXPECT_EQ(loans, std::vector<ScriptedTreePane::Loan>(2, ScriptedTreePane::Loan::kRebuild));
    EXPECT_EQ(counts, std::vector<std::optional<std::string>>(2, texts::Format(texts::kFolderCount, "2")));
    EXPECT_EQ(form.TreeView1.loan, ScriptedTreePane::Loan::kNone);
    EXPECT_FALSE(form.StatusBar1.count);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FormScan, ADriveNotReadyBeepsAndSaysSoForEachEventAndKeepsTheTree) {
    desktop.HoldEscape();
    form.DriveComboBox1.Pick('x');
    desktop.ReleaseEscape();
    std::vector<std::string> statusWhileAsked;
    dialogs.onMessage = [&](const ScriptedMessageDialogs::Call&) { statusWhileAsked.push_back(form.Status().Text()); };
    form.StatusBar1.shown.clear();

    form.DriveComboBox1.Pick('a');  // listed, but no medium
    EXPECT_EQ(desktop.beeps, 2);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    for (const ScriptedMessageDialogs::Call& call : dialogs.calls) {
        EXPECT_EQ(call.text, T(texts::kDriveNotReady));
        EXPECT_EQ(call.kind, mkInformation);
        EXPECT_EQ(call.buttons, ButtonSet({mbOK}));
    }
    EXPECT_EQ(statusWhileAsked, std::vector<std::string>(2, T(texts::kScanning)));
    EXPECT_EQ(form.StatusBar1.shown, (std::vector<std::string>{T(texts::kScanning), T(texts::kSelectDrive),
                                                               T(texts::kScanning), T(texts::kSelectDrive)}));
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A"}));
    EXPECT_TRUE(form.IsInterrupted());
}

TEST_F(FormScan, EscHeldStopsBothRunsOfAPickAndAReleasedKeyScansAll) {
    desktop.HoldEscape();
    form.DriveComboBox1.Pick('x');
    // The root's first entry is taken without a poll; the second finds ESC down.
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A"}));
    EXPECT_TRUE(form.IsInterrupted());
    EXPECT_EQ(form.Status().Text(), T(texts::kScanInterrupted));
    EXPECT_EQ(form.work.runs, 2);

    desktop.ReleaseEscape();
    form.DriveComboBox1.Pick('x');  // the drive already selected: one event
    EXPECT_EQ(form.work.runs, 3);
    EXPECT_EQ(Tree(), kDriveX);
    EXPECT_FALSE(form.IsInterrupted());
    EXPECT_EQ(form.Status().Text(), "");
}

TEST_F(FormScan, AFolderFromTheMenuIsScannedAsAPickWouldAndTheChooserOpensThereNext) {
    folders.ChooseNext("x:\\A");
    form.Command(&Form1Handlers::MnuOpenClick);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\A\\", ".A1"}));
    EXPECT_EQ(form.NodePath(1), "x:\\A\\A1\\");
    EXPECT_EQ(form.Status().Text(), "");
    // The selector shows the folder's drive without an event, so picking it is one event.
    EXPECT_EQ(form.DriveComboBox1.CurrentDrive(), 'x');
    EXPECT_EQ(form.DriveComboBox1.changes, 1);

    folders.CancelNext();
    form.Status().SetText("kept");
    form.Command(&Form1Handlers::MnuOpenClick);
    EXPECT_EQ(folders.openedAt, (std::vector<std::string>{"", "x:\\A\\"}));
    EXPECT_EQ(Tree().front(), "x:\\A\\");
    EXPECT_EQ(form.Status().Text(), "kept");

    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(form.DriveComboBox1.changes, 2);
    EXPECT_EQ(Tree(), kDriveX);
}

TEST_F(FormScan, AFolderThatCannotBeOpenedBeepsSaysSoAndKeepsTheTree) {
    form.ScanFolder("x:\\A");
    form.ScanFolder("x:\\missing");
    EXPECT_EQ(desktop.beeps, 1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, texts::Format(texts::kCannotOpenFolder, "x:\\missing"));
    EXPECT_EQ(dialogs.calls[0].kind, mkInformation);
    EXPECT_EQ(form.Status().Text(), T(texts::kSelectDrive));
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\A\\", ".A1"}));
}

TEST_F(FormScan, AFolderHandedOverDuringAScanIsScannedOnceItHasEnded) {
    AtListing("x:\\A\\", [&] { form.ScanFolderWhenIdle("c:\\Windows"); });
    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(Tree(), kDriveX);

    files.onList = nullptr;
    form.work.RunPosted();  // what the event loop does once the pick has returned
    EXPECT_EQ(Tree(), (std::vector<std::string>{"c:\\Windows\\"}));
    EXPECT_EQ(files.listed.back(), "c:\\Windows\\");
}

TEST_F(FormScan, AFailureInsideTheScanIsShownWithTheNodesKeptAndTheNextScanRunsAsEver) {
    AtListing("x:\\B\\", [] { throw EOutOfResources(); });
    form.DriveComboBox1.Pick('x');
    ASSERT_EQ(dialogs.errorBoxes.size(), 2u);  // once for each of the pick's two events
    EXPECT_EQ(dialogs.errorBoxes[0], T(texts::kCannotInsertItem) + ".");
    EXPECT_EQ(form.Status().Text(), T(texts::kScanning));
    EXPECT_EQ(Tree(), kDriveX);
    EXPECT_EQ(form.TreeView1.loan, ScriptedTreePane::Loan::kNone);
    EXPECT_FALSE(form.StatusBar1.count);
    EXPECT_FALSE(form.work.Running());

    files.onList = nullptr;
    form.DriveComboBox1.Pick('x');
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_EQ(dialogs.errorBoxes.size(), 2u);
}

}  // namespace
