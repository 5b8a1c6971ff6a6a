// The folder scan: of a drive picked in the selector, or of a folder chosen from the File
// menu, dropped on the window or named on the command line. All end in the same scan.
#include "app/Unit1.h"

#include <QScopeGuard>

#include "app/AliveWork.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/MessageDialog.h"
#include "drives/qt/FileCtrl.h"
#include "platform/Platform.h"
#include "resources/Texts.h"
#include "tree/FolderScan.h"
#include "tree/NodePath.h"
#include "tree/NodeText.h"
#include "tree/TreeErrors.h"
#include "tree/qt/TTreeView.h"

void TForm1::DriveComboBox1Change(QObject*) {
    if (!Activated) return;
    ShowScanning();
    platform::Platform& os = platform::Current();
    const std::optional<ScanRoot> root = DriveScanRoot(os, DriveComboBox1->CurrentDrive());
    if (!root) {
        os.desktop.Beep();
        ShowDriveNotReady();
        Status().SetText(texts::Cp932(texts::kSelectDrive));
        return;
    }
    RunScan(*root);
}

void TForm1::MnuOpenClick(QObject*) {
    if (FolderDialog1.Execute(this)) ScanFolder(FolderDialog1.Chosen());
}

void TForm1::ScanFolder(const std::string& nativePath) {
    ShowScanning();
    platform::Platform& os = platform::Current();
    const std::optional<ScanRoot> root = FolderScanRoot(os, nativePath);
    if (!root) {
        os.desktop.Beep();
        ShowCannotOpenFolder(NodeText(os.files, nativePath));
        Status().SetText(texts::Cp932(texts::kSelectDrive));
        return;
    }
    FolderDialog1.SetStart(root->nativePath);
    // Picking that drive afterwards is then one change event, which scans the whole drive.
    DriveComboBox1->ShowDrive(root->letter);
    RunScan(*root);
}

void TForm1::ScanFolderSoon(const std::string& nativePath) {
    QMetaObject::invokeMethod(
        this, [this, nativePath] { ScanFolderWhenIdle(nativePath); }, Qt::QueuedConnection);
}

void TForm1::ScanFolderWhenIdle(const std::string& nativePath) {
    // A scan under way runs to its end first, as it would for a pick.
    alivework::WhenIdle([this, nativePath] { errorbox::Guard([&] { ScanFolder(nativePath); }); });
}

void TForm1::ShowScanning() {
    Status().SetText(texts::Cp932(texts::kScanning));
    Status().RepaintNow();
}

void TForm1::RunScan(const ScanRoot& root) {
    platform::Platform& os = platform::Current();
    FolderScan scan(TreeView1->Items(), os.files, os.desktop, Interrupted);
    {
        // The pane shows nothing while the store is rebuilt, and the count field how far it got.
        const StoreLoan loan(*TreeView1, StoreLoan::kRebuild);
        const auto hideCount = qScopeGuard([this] { Status().HideFolderCount(); });
        reserve_.Renew();
        try {
            alivework::Run([&] { scan.Run(root.text, root.nativePath); },
                           [&] { Status().ShowFolderCount(scan.Found()); });
        } catch (const EOutOfResources&) {
            reserve_.Release();
            throw;
        }
    }
    if (Interrupted)
        Status().SetText(texts::Cp932(texts::kScanInterrupted));
    else
        Status().Clear();
}

std::string TForm1::NodePath(int position) { return ::NodePath(TreeView1->Items(), position); }

// `path` is the folder's native path, as the file system spells it.
void TForm1::AddSubfolders(const std::string& path, TTreeNode* node) {
    platform::Platform& os = platform::Current();
    FolderScan(TreeView1->Items(), os.files, os.desktop, Interrupted).AddSubfolders(path, node);
}
