#pragma once
// The main window on Qt: builds its components and menus from the window's description and
// forwards their events to the handlers, which are written once for every window.
#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>

#include "app/Form1Handlers.h"
#include "app/StatusLine.h"
#include "app/qt/AliveWork.h"
#include "app/qt/TStatusBar.h"

class QAction;
class QFrame;
class QMenu;
class QSplitter;
class TDriveComboBox;
class TMemo;
class TTreeView;

class TForm1 : public QMainWindow, public Form1Handlers {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Components, owned by the window.
    TStatusBar* StatusBar1 = nullptr;
    QFrame* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    TDriveComboBox* DriveComboBox1 = nullptr;
    TTreeView* TreeView1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    TMemo* Memo1 = nullptr;

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

    StatusLine& Status() override { return *status_; }

    // The selector spans the left pane, whatever its width.
    void Panel1Resize(QObject* Sender);

    // Scans a folder once the events already waiting have been handled and no long work
    // runs (a drop, the command line).
    void ScanFolderSoon(const std::string& nativePath);
    // Scans `nativePath` once the window has been shown.
    void ScanFolderWhenShown(std::string nativePath) { startFolder_ = std::move(nativePath); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    DriveSelector& Selector() override;
    TreePane& Tree() override;
    EditorPane& Editor() override;
    LongWork& Work() override { return work_; }
    void Close() override { close(); }

private:
    void BuildComponents();
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, std::string_view caption, void (Form1Handlers::*handler)(const void*));
    void PlaceWindow();

    bool shown_ = false;
    std::string startFolder_;
    std::unique_ptr<StatusLine> status_;
    AliveWork work_;
};
