#include <gtest/gtest.h>

#include <QTest>
#include <string>

#include "app/qt/Unit1.h"
#include "dialogs/MessageDialog.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "drives/qt/FileCtrl.h"
#include "platform/Attributes.h"
#include "resources/Texts.h"
#include "tree/qt/TTreeView.h"
#include "tree/qt/TreeModel.h"

namespace {

class ScanHandlerTest : public ::testing::Test, protected FakeMachine {
protected:
    ScanHandlerTest() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('x', platform::DriveType::Fixed, "Data");
        drives.Add('a', platform::DriveType::Removable, std::nullopt);
        files.AddFolder("c:\\Windows");
        files.AddFolder("x:\\A\\A1");
        files.AddFolder("x:\\B");
        files.AddFolder("x:\\Secret", platform::faHidden);
    }

    void Show() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The selector raises its change event, which runs the handler.
    void Pick(char letter) { form.DriveComboBox1->SelectDrive(letter); }

    TTreeNodes& Nodes() { return form.TreeView1->Items(); }
    std::string Status() { return form.Status().Text(); }

    ScriptedMessageDialogs dialogs;
    TForm1 form;
};

TEST_F(ScanHandlerTest, PickingADriveScansItAndClearsTheStatus) {
    Show();
    Pick('x');
    ASSERT_EQ(Nodes().NodeCount(), 4);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), "x:\\");
    EXPECT_EQ(Nodes().NodeAt(2)->Text(), "A1");
    EXPECT_EQ(Status(), "");
    EXPECT_FALSE(form.IsInterrupted());
    EXPECT_EQ(form.NodePath(2), "x:\\A\\A1\\");

    // The pane shows the new root collapsed, with its expand button.
    const QModelIndex rootIndex = form.TreeView1->model()->index(0, 0);
    EXPECT_EQ(TreeModel::NodeOf(rootIndex), Nodes().NodeAt(0));
    EXPECT_FALSE(form.TreeView1->isExpanded(rootIndex));
    EXPECT_TRUE(form.TreeView1->model()->hasChildren(rootIndex));
}

TEST_F(ScanHandlerTest, AddSubfoldersListsANativePathUnderANode) {
    Show();
    TTreeNode* top = Nodes().AppendChild(nullptr, "label");
    form.AddSubfolders("x:\\A\\", top);
    ASSERT_EQ(Nodes().NodeCount(), 2);
    EXPECT_EQ(Nodes().NodeAt(1)->Text(), "A1");
    EXPECT_EQ(form.TreeView1->model()->rowCount(form.TreeView1->model()->index(0, 0)), 1);
}

}  // namespace
