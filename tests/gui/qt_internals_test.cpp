// What the program takes from Qt beyond its documented interface, each checked where a
// new Qt could take it away. A failure here names the Qt version the program was checked
// against: look at that part of Qt again before changing the program.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// Input is queued the way a platform queues it: only Qt's platform interface offers that.
#include <qpa/qwindowsysteminterface.h>

#include "app/qt/HeldInput.h"
#include "app/qt/Unit1.h"
#include "doubles/FakeMachine.h"
#include "drives/qt/FileCtrl.h"
#include "tree/qt/TTreeView.h"

namespace {

std::string CheckedAgainst() { return std::string("checked against Qt 6.4.2, running Qt ") + qVersion(); }

// The save dialog puts a typed name back when the file type changes; it finds the name
// box and the type box inside Qt's own file dialog by their object names.
TEST(QtInternals, FileDialogKeepsItsNameAndTypeBoxesUnderTheirNames) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_NE(dialog.findChild<QComboBox*>("fileTypeCombo"), nullptr)
        << "QFileDialog's fileTypeCombo, " << CheckedAgainst();
    EXPECT_NE(dialog.findChild<QLineEdit*>("fileNameEdit"), nullptr)
        << "QFileDialog's fileNameEdit, " << CheckedAgainst();
}

class QtInternalsOnWindow : public ::testing::Test, protected FakeMachine {
protected:
    QtInternalsOnWindow() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('d', platform::DriveType::Fixed, "Data");
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    TForm1 form;
};

// In the open list a key is handed straight to the list view's own event handler, past the
// popup's filters, so that the move happens and counts as a pick at once.
TEST_F(QtInternalsOnWindow, TheOpenListsViewMovesOnAKeyHandedToItsEventHandler) {
    TDriveComboBox& combo = *form.DriveComboBox1;
    combo.showPopup();
    QAbstractItemView* list = combo.view();
    ASSERT_TRUE(list->isVisible());
    const int before = list->currentIndex().row();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    static_cast<QObject*>(list)->event(&down);
    EXPECT_EQ(list->currentIndex().row(), before + 1) << "QAbstractItemView::event with a key, " << CheckedAgainst();
    combo.hidePopup();
}

// Ctrl+C from any control reaches the Edit menu: the application-wide filter declines the
// control's ShortcutOverride, and Qt then hands the key to the menu's shortcut.
TEST_F(QtInternalsOnWindow, ADeclinedShortcutOverrideGoesToTheMenusShortcut) {
    QSignalSpy copied(form.MnuCopy, &QAction::triggered);
    for (QWidget* control : {static_cast<QWidget*>(form.TreeView1), static_cast<QWidget*>(form.DriveComboBox1)}) {
        control->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
    }
    EXPECT_EQ(copied.count(), 2) << "ShortcutOverride and QAction shortcuts, " << CheckedAgainst();
}

// Input held during long work goes back through Qt's platform interface, which runs the
// shortcuts for it again: a key that would have been a shortcut is one after the work.
TEST_F(QtInternalsOnWindow, HeldKeysPutBackThroughThePlatformInterfaceReachTheShortcuts) {
    QSignalSpy copied(form.MnuCopy, &QAction::triggered);
    form.TreeView1->setFocus(Qt::OtherFocusReason);
    QWindow* window = form.windowHandle();
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    {
        HeldInput held;
        QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
        QTest::qWait(50);
        EXPECT_EQ(copied.count(), 0) << "a ShortcutOverride claimed, " << CheckedAgainst();
        held.Replay();
    }
    QTest::qWait(50);
    EXPECT_EQ(copied.count(), 1) << "QWindowSystemInterface::handleExtendedKeyEvent, " << CheckedAgainst();
}

}  // namespace
