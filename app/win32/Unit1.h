#pragma once
// The main window on Windows: its components, menus and the handlers' entry points, built
// with the Win32 API alone.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Form1Handlers.h"
#include "app/StatusLine.h"
#include "app/win32/AliveWork.h"
#include "app/win32/Panel.h"
#include "app/win32/Splitter.h"
#include "app/win32/TStatusBar.h"
#include "drives/win32/FileCtrl.h"
#include "resources/win32/Gdi.h"
#include "text/win32/TMemo.h"
#include "tree/win32/TTreeView.h"

class TForm1 final : public Form1Handlers {
public:
    // Menu commands.
    enum Command : WORD { kMnuOpen = 101, kMnuSave, kMnuExit, kMnuCut, kMnuCopy, kMnuPaste, kMnuAllSelect, kMnuMemo };

    TForm1();
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND Handle() const { return window_; }
    // Shows the window as the process was told to (maximised, minimised, or as designed).
    void Show(int showCommand);
    // What the message loop does before a message is dispatched: the menu's shortcuts from
    // every control, Tab between the selector, the tree and the editor. True when taken.
    bool PreTranslate(MSG& message);
    // Scans `nativePath` once the window has been shown.
    void ScanFolderWhenShown(std::string nativePath) { startFolder_ = std::move(nativePath); }
    // Scans a folder once the messages already waiting have been handled and no long work
    // runs (a drop, the command line).
    void ScanFolderSoon(const std::string& nativePath);

    StatusLine& Status() override { return *status_; }

    // Components, owned by the window.
    std::unique_ptr<TStatusBar> StatusBar1;
    std::unique_ptr<Panel> Panel1;
    std::unique_ptr<Panel> Panel2;
    std::unique_ptr<TDriveComboBox> DriveComboBox1;
    std::unique_ptr<TTreeView> TreeView1;
    std::unique_ptr<Splitter> Splitter1;
    std::unique_ptr<TMemo> Memo1;

    // Menus.
    HMENU MainMenu1 = nullptr;
    HMENU MnuFile = nullptr;
    HMENU MnuEdit = nullptr;

    // The selector spans the left pane, whatever its width.
    void Panel1Resize(const Panel& Sender);

protected:
    DriveSelector& Selector() override { return *DriveComboBox1; }
    TreePane& Tree() override { return *TreeView1; }
    EditorPane& Editor() override { return *Memo1; }
    LongWork& Work() override { return work_; }
    void Close() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildComponents();
    void BuildMenus();
    void ApplyDpi(UINT dpi);
    void LayOut();
    void LayOutPanel();
    void OnCommand(WORD command);
    void OnClose();
    void FirstShow();
    bool MoveFocusByTab(const MSG& message);

    HWND window_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    FontHandle font_;
    UINT dpi_ = 96;
    int panelWidth_ = 0;  // in screen pixels at dpi_
    bool shown_ = false;
    std::string startFolder_;
    std::vector<std::string> soon_;  // folders to scan once the messages waiting are handled
    std::unique_ptr<StatusLine> status_;
    AliveWork work_;
};
