// The folder scan: the drive selector's change handler and its two steps.
#include "app/Unit1.h"

#include "dialogs/MessageDialog.h"
#include "drives/FileCtrl.h"
#include "platform/Platform.h"
#include "resources/Texts.h"
#include "tree/FolderScan.h"
#include "tree/NodePath.h"
#include "tree/TTreeView.h"

void TForm1::DriveComboBox1Change(QObject*) {
    if (!Activated) return;
    Status().SetText(texts::Cp932(texts::kScanning));
    Status().RepaintNow();

    const char drive = DriveComboBox1->CurrentDrive();
    const std::string rootText = std::string(1, drive) + ":\\";
    platform::Platform& os = platform::Current();
    const std::string nativeRoot = drive ? os.drives.NativeRoot(drive) : std::string();
    if (!DriveIsReady(os.files, nativeRoot)) {
        os.desktop.Beep();
        ShowDriveNotReady();
        Status().SetText(texts::Cp932(texts::kSelectDrive));
        return;
    }

    FolderScan(TreeView1->Items(), os.files, os.desktop, Interrupted).Run(rootText, nativeRoot);

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
