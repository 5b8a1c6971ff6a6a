// Scanning a chosen folder: from the File menu through the real folder chooser, by a drop
// on the tree pane or the drive selector, and what the selector shows afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "app/qt/Unit1.h"
#include "dialogs/MessageDialog.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "drives/qt/FileCtrl.h"
#include "gui/support/ModalDialogs.h"
#include "resources/Texts.h"
#include "tree/ScanRoot.h"
#include "tree/qt/TTreeView.h"
#include "unit/support/TempFolder.h"

namespace {

// The real machine: the chooser and the drops deal in folders on disk.
class FolderCommandTest : public ::testing::Test {
protected:
    FolderCommandTest() {
        std::filesystem::create_directories(folder / "photos/2024");
        std::filesystem::create_directories(folder / "photos/2023");
        TempFolder::Write(folder / "note.txt", "x");
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    TTreeNodes& Nodes() { return form.TreeView1->Items(); }
    std::string RootTextOf(const std::string& path) { return FolderScanRoot(platform::Current(), path)->text; }

    // Sends a drag with `urls` over `target` and drops it; true when both were taken.
    bool Drop(QWidget& target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        QCoreApplication::processEvents();  // the scan runs once the drop is over
        return enter.isAccepted() && drop.isAccepted();
    }

    ScriptedMessageDialogs dialogs;
    TForm1 form;
    TempFolder folder;
};

TEST_F(FolderCommandTest, MenuEntryScansTheFolderChosenInTheRealChooser) {
    const std::string photos = folder / "photos";
    QString openedAt;
    WhenModalOpens<QFileDialog>(form, [&](QFileDialog& dialog) {
        openedAt = dialog.directory().absolutePath();
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        dialog.setDirectory(QString::fromStdString(photos));
        static_cast<QDialog&>(dialog).accept();  // the chooser's own accept, as its button does
    });
    form.MnuOpen->trigger();
    EXPECT_EQ(openedAt, QDir::homePath());
    ASSERT_EQ(Nodes().NodeCount(), 3);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), RootTextOf(photos));
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_TRUE(dialogs.calls.empty());

    // The next opening starts at the chosen folder; a cancel changes nothing.
    form.Status().SetText("kept");
    WhenModalOpens<QFileDialog>(form, [&](QFileDialog& dialog) {
        openedAt = dialog.directory().absolutePath();
        dialog.reject();
    });
    form.MnuOpen->trigger();
    EXPECT_EQ(openedAt, QString::fromStdString(photos));
    EXPECT_EQ(Nodes().NodeCount(), 3);
    EXPECT_EQ(form.Status().Text(), "kept");
}

TEST_F(FolderCommandTest, AFolderDroppedOnTheTreeOrTheSelectorIsScannedOtherDropsAreRefused) {
    const QUrl photos = QUrl::fromLocalFile(QString::fromStdString(folder / "photos"));
    const QUrl year = QUrl::fromLocalFile(QString::fromStdString(folder / "photos/2024"));
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(folder / "note.txt"));
    const QUrl remote(QStringLiteral("sftp://host/srv/photos"));

    EXPECT_FALSE(Drop(*form.TreeView1->viewport(), {file}));
    EXPECT_FALSE(Drop(*form.DriveComboBox1, {remote}));
    EXPECT_EQ(Nodes().NodeCount(), 0);

    // The first local folder of the drop is the one scanned.
    EXPECT_TRUE(Drop(*form.TreeView1->viewport(), {remote, file, photos, year}));
    ASSERT_EQ(Nodes().NodeCount(), 3);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), RootTextOf(folder / "photos"));

    EXPECT_TRUE(Drop(*form.DriveComboBox1, {year}));
    ASSERT_EQ(Nodes().NodeCount(), 1);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), RootTextOf(folder / "photos/2024"));
    EXPECT_TRUE(dialogs.calls.empty());
}

class FolderOnFakeDriveTest : public ::testing::Test, protected FakeMachine {
protected:
    FolderOnFakeDriveTest() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('x', platform::DriveType::Fixed, "Data");
        files.AddFolder("c:\\Windows");
        files.AddFolder("x:\\A\\A1");
        files.AddFolder("x:\\B");
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        const auto scan = form.DriveComboBox1->OnChange;
        form.DriveComboBox1->OnChange = [this, scan](QObject* sender) {
            ++changes;
            scan(sender);
        };
    }
    TTreeNodes& Nodes() { return form.TreeView1->Items(); }

    ScriptedMessageDialogs dialogs;
    TForm1 form;
    int changes = 0;
};

TEST_F(FolderOnFakeDriveTest, TheSelectorShowsTheFoldersDriveAndAPickOfItScansTheWholeDrive) {
    form.ScanFolder("x:\\A");
    ASSERT_EQ(Nodes().NodeCount(), 2);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), "x:\\A\\");
    EXPECT_EQ(form.NodePath(1), "x:\\A\\A1\\");
    EXPECT_EQ(form.DriveComboBox1->CurrentDrive(), 'x');
    EXPECT_TRUE(form.DriveComboBox1->currentText().startsWith("x:"));
    EXPECT_EQ(changes, 0);

    // The user picks the drive shown: one event, and the whole drive is scanned.
    emit form.DriveComboBox1->activated(form.DriveComboBox1->currentIndex());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Nodes().NodeCount(), 4);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), "x:\\");
}

}  // namespace
