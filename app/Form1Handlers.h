#pragma once
// What the main window does, step by step, written once for every window: the handlers of
// TForm1 and the steps they share, over the parts each window builds with its own toolkit.
// Each window's TForm1 derives from this class, builds its components from the window's
// description, gives them to the handlers through the accessors below, and forwards every
// event of theirs to the handler of that name.
#include <cstddef>
#include <string>

#include "app/MemoryReserve.h"
#include "dialogs/FolderDialog.h"
#include "save/SavePath.h"
#include "save/TSaveDialog.h"

class DriveSelector;
class EditorPane;
class LongWork;
class StatusLine;
class TTreeNode;
class TreePane;
struct ScanRoot;

class Form1Handlers {
public:
    virtual ~Form1Handlers();
    Form1Handlers(const Form1Handlers&) = delete;
    Form1Handlers& operator=(const Form1Handlers&) = delete;

    // The handlers. `Sender` is the component the event came from; none of them reads it.
    // The window runs each inside errorbox::Guard, so a failure it lets through is shown.
    void FormCreate(const void* Sender);
    void FormShow(const void* Sender);
    // The window's close request (its close box, Alt+F4, the window manager, and
    // MnuExitClick): closes at once, without a question, unless long work runs; that work is
    // then stopped as ESC stops a scan and the window closes once it has ended.
    void FormCloseQuery(const void* Sender, bool& CanClose);
    void MnuExitClick(const void* Sender);
    void DriveComboBox1Change(const void* Sender);
    void MnuOpenClick(const void* Sender);
    void MnuMemoClick(const void* Sender);
    void MnuCutClick(const void* Sender);
    void MnuCopyClick(const void* Sender);
    void MnuPasteClick(const void* Sender);
    void MnuAllSelectClick(const void* Sender);
    void MnuSaveClick(const void* Sender);

    // Scans a chosen folder (native path) as a drive pick scans a drive; a path that names
    // no folder that can be opened is reported instead. The menu entry, a drop and the
    // command line all end here.
    void ScanFolder(const std::string& nativePath);
    // The same once no long work runs (a scan under way runs to its end first, as it would
    // for a pick); a failure is shown in the error box.
    void ScanFolderWhenIdle(const std::string& nativePath);

    // Scan steps. `path` is the folder's native path, as the file system spells it.
    std::string NodePath(int position);
    void AddSubfolders(const std::string& path, TTreeNode* node);

    // Writers: the name as shown (code page 932) and as the file system spells it.
    void SaveAsText(const save::SavePath& fileName);
    void SaveAsHtml(const save::SavePath& fileName);

    bool IsActivated() const { return Activated; }
    bool IsInterrupted() const { return Interrupted; }
    virtual StatusLine& Status() = 0;

    // The dialogs, whose state lasts for the run.
    TSaveDialog SaveDialog1;
    FolderDialog FolderDialog1;

protected:
    Form1Handlers();

    // The window's parts, built by each window with its own toolkit.
    virtual DriveSelector& Selector() = 0;  // DriveComboBox1
    virtual TreePane& Tree() = 0;           // TreeView1
    virtual EditorPane& Editor() = 0;       // Memo1
    virtual LongWork& Work() = 0;
    // Asks the window to close as its close box does; FormCloseQuery has the last word.
    virtual void Close() = 0;

private:
    void ShowScanning();
    void RunScan(const ScanRoot& root);

    bool Activated = false;
    bool Interrupted = false;
    // What the error box, the memo and the save get when a scan has used up the memory.
    static constexpr std::size_t kReserveBytes = 128 * 1024 * 1024;
    MemoryReserve reserve_{kReserveBytes};
};
