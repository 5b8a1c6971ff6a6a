#pragma once
// The main window: its components, menus and handlers.
#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>

#include "app/MemoryReserve.h"
#include "app/StatusLine.h"
#include "dialogs/qt/FolderDialog.h"
#include "save/SavePath.h"
#include "save/qt/TSaveDialog.h"
#include "tree/ScanRoot.h"

class QAction;
class QFrame;
class QMenu;
class QSplitter;
class QStatusBar;
class TDriveComboBox;
class TMemo;
class TTreeView;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Components, owned by the window.
    QStatusBar* StatusBar1 = nullptr;
    QFrame* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    TTreeView* TreeView1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    TMemo* Memo1 = nullptr;
    TSaveDialog SaveDialog1;
    FolderDialog FolderDialog1;

    // Menus.
    QMenu* MnuFile = nullptr;
    QAction* MnuOpen = nullptr;
    QAction* MnuSave = nullptr;
    QAction* MnuDmy01 = nullptr;
    QAction* MnuExit = nullptr;
    QMenu* MnuEdit = nullptr;
    QAction* MnuCut = nullptr;
    QAction* MnuCopy = nullptr;
    QAction* MnuPaste = nullptr;
    QAction* MnuDmy02 = nullptr;
    QAction* MnuAllSelect = nullptr;
    QAction* MnuMemo = nullptr;

    StatusLine& Status() { return *status_; }
    bool IsActivated() const { return Activated; }
    bool IsInterrupted() const { return Interrupted; }

    // Handlers.
    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void Panel1Resize(QObject* Sender);
    void MnuExitClick(QObject* Sender);
    void DriveComboBox1Change(QObject* Sender);
    void MnuOpenClick(QObject* Sender);
    void MnuMemoClick(QObject* Sender);
    void MnuCutClick(QObject* Sender);
    void MnuCopyClick(QObject* Sender);
    void MnuPasteClick(QObject* Sender);
    void MnuAllSelectClick(QObject* Sender);
    void MnuSaveClick(QObject* Sender);

    // Scans a chosen folder (native path) as a drive pick scans a drive; a path that names
    // no folder that can be opened is reported instead.
    void ScanFolder(const std::string& nativePath);
    // The same, once the events already waiting have been handled (a drop, the command line).
    void ScanFolderSoon(const std::string& nativePath);
    // Scans `nativePath` once the window has been shown.
    void ScanFolderWhenShown(std::string nativePath) { startFolder_ = std::move(nativePath); }

    // Scan steps.
    std::string NodePath(int position);
    void AddSubfolders(const std::string& path, class TTreeNode* node);

    // Writers: the name as shown (code page 932) and as the file system spells it.
    void SaveAsText(const save::SavePath& fileName);
    void SaveAsHtml(const save::SavePath& fileName);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildComponents();
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, std::string_view caption, void (TForm1::*handler)(QObject*));
    void PlaceWindow();
    void ShowScanning();
    void RunScan(const ScanRoot& root);
    void ScanFolderWhenIdle(const std::string& nativePath);

    bool Activated = false;
    bool Interrupted = false;
    bool shown_ = false;
    std::string startFolder_;
    std::unique_ptr<StatusLine> status_;
    // What the error box, the memo and the save get when a scan has used up the memory.
    MemoryReserve reserve_{kReserveBytes};
    static constexpr std::size_t kReserveBytes = 128 * 1024 * 1024;
};
