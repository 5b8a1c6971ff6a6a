// The Windows main window as built: its place and size, its panes, the splitter's drag, the
// status bar's two modes, start-up, a pick, and the edit shortcuts from every control.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/win32/Unit1.h"
#include "doubles/FakeMachine.h"
#include "resources/Texts.h"

namespace {

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A rectangle in the main window's client coordinates.
RECT InClient(HWND form, HWND child) {
    RECT r = WindowRect(child);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MainWindow : public ::testing::Test, protected FakeMachine {
protected:
    MainWindow() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('d', platform::DriveType::Fixed, "Data");
        files.AddFolder("c:\\");
        files.AddFolder("d:\\A\\B");
        files.AddFolder("d:\\C");
    }

    static void Pump(TForm1& form) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (form.PreTranslate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    static void Chord(WORD modifier, WORD key) {
        INPUT keys[4] = {};
        for (INPUT& input : keys) input.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[3].ki.wVk = modifier;
        keys[1].ki.wVk = keys[2].ki.wVk = key;
        keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, keys, sizeof(INPUT));
    }
};

TEST_F(MainWindow, StartsWithAnEmptyTreeAndAsksForADrive) {
    TForm1 form;
    EXPECT_FALSE(form.IsActivated());
    form.Show(SW_SHOWNORMAL);
    Pump(form);
    EXPECT_TRUE(form.IsActivated());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kSelectDrive));
    EXPECT_EQ(form.DriveComboBox1->CurrentDrive(), 'c') << "the selector shows the current drive";
    EXPECT_EQ(form.TreeView1->Items().NodeCount(), 0) << "its change event came before the window was shown";
    EXPECT_EQ(form.Memo1->FullText(), "");
    EXPECT_EQ(GetFocus(), form.DriveComboBox1->Handle());
}

TEST_F(MainWindow, PickingADriveScansItIntoTheTree) {
    TForm1 form;
    form.Show(SW_SHOWNORMAL);
    Pump(form);
    SendMessageW(form.DriveComboBox1->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Pump(form);
    TTreeNodes& nodes = form.TreeView1->Items();
    ASSERT_EQ(nodes.NodeCount(), 4);
    EXPECT_EQ(nodes.NodeAt(0)->Text(), "d:\\");
    EXPECT_EQ(nodes.NodeAt(1)->Text(), "A");
    EXPECT_EQ(nodes.NodeAt(2)->Text(), "B");
    EXPECT_EQ(nodes.NodeAt(3)->Text(), "C");
    EXPECT_EQ(form.Status().Text(), "") << "a complete scan leaves the status line empty";
    EXPECT_EQ(TreeView_GetCount(form.TreeView1->Handle()), 1u) << "the root, collapsed";
    // Two change events for the pick: the drive was listed twice.
    EXPECT_EQ(std::count(files.listed.begin(), files.listed.end(), "d:\\"), 2);
}

TEST_F(MainWindow, EditShortcutsReachTheEditorFromEveryControl) {
    TForm1 form;
    form.Show(SW_SHOWNORMAL);
    Pump(form);
    SetForegroundWindow(form.Handle());
    form.Memo1->AppendLine("abc");
    OpenClipboard(form.Handle());
    EmptyClipboard();
    CloseClipboard();
    SetFocus(form.TreeView1->Handle());
    form.Memo1->SelectAll();
    Chord(VK_CONTROL, 'C');
    Pump(form);
    EXPECT_EQ(GetFocus(), form.TreeView1->Handle()) << "the focus stays where it is";
    SendMessageW(form.Memo1->Handle(), EM_SETSEL, 5, 5);
    SetFocus(form.DriveComboBox1->Handle());
    Chord(VK_CONTROL, 'V');
    Pump(form);
    EXPECT_EQ(form.Memo1->FullText(), "abc\r\nabc\r\n");
    EXPECT_EQ(form.DriveComboBox1->CurrentDrive(), 'c') << "the selector took no key";
}

TEST_F(MainWindow, PlacedAsDesignedWithItsPanesDocked) {
    TForm1 form;
    const RECT outer = WindowRect(form.Handle());
    EXPECT_EQ(outer.left, 197);
    EXPECT_EQ(outer.top, 118);
    EXPECT_EQ(outer.right - outer.left, 696);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    RECT client{};
    GetClientRect(form.Handle(), &client);

    const RECT bar = InClient(form.Handle(), form.StatusBar1->Handle());
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.bottom - bar.top, 24);
    const RECT panel = InClient(form.Handle(), form.Panel1->Handle());
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.right, 185);
    EXPECT_EQ(panel.bottom, bar.top);
    const RECT splitter = InClient(form.Handle(), form.Splitter1->Handle());
    EXPECT_EQ(splitter.left, 185);
    EXPECT_EQ(splitter.right - splitter.left, 3);
    const RECT memo = InClient(form.Handle(), form.Memo1->Handle());
    EXPECT_EQ(memo.left, 188);
    EXPECT_EQ(memo.right, client.right);
    EXPECT_EQ(memo.bottom, bar.top);
    // The selector spans the left pane (Panel1Resize), the tree fills the rest of it.
    EXPECT_EQ(WindowRect(form.DriveComboBox1->Handle()).right - WindowRect(form.DriveComboBox1->Handle()).left, 185);
    const RECT tree = InClient(form.Handle(), form.TreeView1->Handle());
    EXPECT_EQ(tree.left, 1);
    EXPECT_EQ(tree.top, 1 + 24);
    EXPECT_EQ(tree.bottom, panel.bottom - 1);

    const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME) << "resizable";
    wchar_t title[32] = {};
    GetWindowTextW(form.Handle(), title, 32);
    EXPECT_STREQ(title, L"Orvale");
}

TEST_F(MainWindow, SplitterDragResizesThePaneWhenLetGoNeverBelowThirty) {
    TForm1 form;
    HWND splitter = form.Splitter1->Handle();
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(101, 10));
    EXPECT_EQ(form.Panel1->Width(), 185) << "the pane waits for the drag's end";
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(101, 10));
    EXPECT_EQ(form.Panel1->Width(), 285);
    EXPECT_EQ(WindowRect(form.DriveComboBox1->Handle()).right - WindowRect(form.DriveComboBox1->Handle()).left, 285);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000, 10));
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(-1000, 10));
    EXPECT_EQ(form.Panel1->Width(), 30);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5000, 10));
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(5000, 10));
    EXPECT_EQ(form.Panel1->Width(), client.right - 3 - 30) << "the editor keeps 30 pixels too";
}

TEST_F(MainWindow, StatusBarShowsOneTextAndTheCountFieldOnlyWhileAsked) {
    TForm1 form;
    TStatusBar& bar = *form.StatusBar1;
    EXPECT_TRUE(SendMessageW(bar.Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    bar.ShowText("\x83\x74\x83\x48\x83\x8B\x83\x5F");  // フォルダ
    bar.ShowCount("12,345");
    EXPECT_FALSE(SendMessageW(bar.Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(SendMessageW(bar.Handle(), SB_GETPARTS, 0, 0), 2);
    wchar_t text[64] = {};
    SendMessageW(bar.Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"12,345");
    SendMessageW(bar.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\u30D5\u30A9\u30EB\u30C0");
    bar.HideCount();
    EXPECT_TRUE(SendMessageW(bar.Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_FALSE(bar.CountShown());
}

// A drop as Explorer hands it over: the names of what was dropped.
HGLOBAL DropOf(const std::wstring& names) {  // each name ends with a NUL, the list with another
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(data));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    names.copy(reinterpret_cast<wchar_t*>(drop + 1), names.size());
    GlobalUnlock(data);
    return data;
}

TEST_F(MainWindow, AFolderDroppedOnTheTreeIsScannedOnceTheDropHasEnded) {
    // A real folder, for the drop's own check, that the scripted machine lists.
    CreateDirectoryW(L"c:\\orvale-drop", nullptr);
    files.AddFolder("c:\\orvale-drop\\inside");
    TForm1 form;
    form.Show(SW_SHOWNORMAL);
    Pump(form);
    // A file first: the first folder among the names is the one taken.
    SendMessageW(form.TreeView1->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf(std::wstring(L"c:\\windows\\win.ini\0c:\\orvale-drop\0", 33))), 0);
    EXPECT_EQ(form.TreeView1->Items().NodeCount(), 0) << "the scan waits for the drop to end";
    Pump(form);
    TTreeNodes& nodes = form.TreeView1->Items();
    ASSERT_EQ(nodes.NodeCount(), 2);
    EXPECT_EQ(nodes.NodeAt(0)->Text(), "c:\\orvale-drop\\");
    EXPECT_EQ(nodes.NodeAt(1)->Text(), "inside");
    RemoveDirectoryW(L"c:\\orvale-drop");
}

}  // namespace
