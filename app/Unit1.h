#pragma once
// The main window: its components, menus and handlers.
#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>

#include "app/StatusLine.h"
#include "save/SavePath.h"
#include "save/TSaveDialog.h"

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

    // Menus.
    QMenu* MnuFile = nullptr;
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
    void MnuMemoClick(QObject* Sender);
    void MnuCutClick(QObject* Sender);
    void MnuCopyClick(QObject* Sender);
    void MnuPasteClick(QObject* Sender);
    void MnuAllSelectClick(QObject* Sender);
    void MnuSaveClick(QObject* Sender);

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

    bool Activated = false;
    bool Interrupted = false;
    bool shown_ = false;
    std::unique_ptr<StatusLine> status_;
};
