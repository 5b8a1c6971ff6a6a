// The folder scan: of a drive picked in the selector, or of a folder chosen from the File
// menu, dropped on the window or named on the command line. All end in the same scan.
#include <optional>

#include "app/EscapeOrStop.h"
#include "app/Form1Handlers.h"
#include "app/LongWork.h"
#include "app/StatusLine.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/MessageDialog.h"
#include "drives/DriveSelector.h"
#include "platform/Platform.h"
#include "resources/Texts.h"
#include "tree/FolderScan.h"
#include "tree/NodePath.h"
#include "tree/NodeText.h"
#include "tree/ScanRoot.h"
#include "tree/TreeErrors.h"
#include "tree/TreePane.h"

namespace {

// The count field is there while a scan runs, and gone however it ends.
class CountShown {
public:
    explicit CountShown(StatusLine& status) : status_(status) {}
    ~CountShown() { status_.HideFolderCount(); }
    CountShown(const CountShown&) = delete;
    CountShown& operator=(const CountShown&) = delete;

private:
    StatusLine& status_;
};

}  // namespace

void Form1Handlers::DriveComboBox1Change(const void*) {
    if (!Activated) return;
    ShowScanning();
    platform::Platform& os = platform::Current();
    const std::optional<ScanRoot> root = DriveScanRoot(os, Selector().CurrentDrive());
    if (!root) {
        os.desktop.Beep();
        ShowDriveNotReady();
        Status().SetText(texts::Cp932(texts::kSelectDrive));
        return;
    }
    RunScan(*root);
}

void Form1Handlers::MnuOpenClick(const void*) {
    if (FolderDialog1.Execute()) ScanFolder(FolderDialog1.Chosen());
}

void Form1Handlers::ScanFolder(const std::string& nativePath) {
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
    Selector().ShowDrive(root->letter);
    RunScan(*root);
}

void Form1Handlers::ScanFolderWhenIdle(const std::string& nativePath) {
    Work().WhenIdle([this, nativePath] { errorbox::Guard([&] { ScanFolder(nativePath); }); });
}

void Form1Handlers::ShowScanning() {
    Status().SetText(texts::Cp932(texts::kScanning));
    Status().RepaintNow();
}

void Form1Handlers::RunScan(const ScanRoot& root) {
    platform::Platform& os = platform::Current();
    EscapeOrStop keys(os.desktop, Work());
    FolderScan scan(Tree().Items(), os.files, keys, Interrupted);
    scan.Use(options_);
    treeOptions_ = options_;
    {
        // The pane shows nothing while the store is rebuilt, and the count field how far it got.
        const StoreLoan loan(Tree(), StoreLoan::kRebuild);
        const CountShown count(Status());
        // The last tree goes first: after a scan that ran out, the reserve is had back only
        // from the memory that tree holds, and memo creation and saving need it.
        Tree().Items().ClearNodes();
        reserve_.Renew();
        try {
            Work().Run([&] { scan.Run(root.text, root.nativePath); }, [&] { Status().ShowFolderCount(scan.Found()); });
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

std::string Form1Handlers::NodePath(int position) { return ::NodePath(Tree().Items(), position); }

void Form1Handlers::AddSubfolders(const std::string& path, TTreeNode* node) {
    platform::Platform& os = platform::Current();
    EscapeOrStop keys(os.desktop, Work());
    FolderScan scan(Tree().Items(), os.files, keys, Interrupted);
    scan.Use(options_);
    scan.AddSubfolders(path, node);
}
