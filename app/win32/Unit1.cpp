#include "app/win32/Unit1.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "app/MainLayout.h"
#include "app/win32/FolderDrop.h"
#include "app/win32/WindowClass.h"
#include "dialogs/ErrorBox.h"
#include "resources/Texts.h"
#include "resources/win32/Fonts.h"
#include "resources/win32/ResourceIds.h"
#include "sjis/WinText.h"

namespace {

constexpr wchar_t kClass[] = L"OrvaleForm1";
constexpr int kLeft = 197, kTop = 118, kWidth = 696, kHeight = 480;
constexpr int kPanelWidth = 185, kPanel2Height = 24, kSplitterWidth = 3, kMinPaneWidth = 30;
constexpr int kStatusBarId = 1, kDriveComboBoxId = 2, kTreeViewId = 3, kMemoId = 4;
constexpr UINT kScanSoon = WM_APP + 2;

std::wstring Caption(std::string_view utf8) { return WideFromCp932(texts::Cp932(utf8)); }

void AppendCommand(HMENU menu, WORD command, std::string_view caption, const wchar_t* shortcut = nullptr) {
    std::wstring text = Caption(caption);
    if (shortcut) text += std::wstring(L"\t") + shortcut;
    AppendMenuW(menu, MF_STRING, command, text.c_str());
}

ATOM RegisterFormClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass = OwnWindowClass(kClass, procedure);
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), ORVALE_ICON_NAME, IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), ORVALE_ICON_NAME, IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExW(&windowClass);
}

}  // namespace

TForm1::TForm1() {
    static const ATOM registered = RegisterFormClass(WindowProc);
    (void)registered;
    const std::wstring title = Caption(texts::kAppTitle);
    // Placed exactly there, outer frame included, not centred.
    window_ = CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kLeft, kTop, kWidth,
                              kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = DpiOf(window_);
    panelWidth_ = Scaled(kPanelWidth, dpi_);
    BuildMenus();
    BuildComponents();
    ApplyDpi(dpi_);
    if (dpi_ != USER_DEFAULT_SCREEN_DPI)
        SetWindowPos(window_, nullptr, kLeft, kTop, Scaled(kWidth, dpi_), Scaled(kHeight, dpi_),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    // A click on the close box while long work runs ends the work as a close request does.
    work_.WatchCloseBox(window_, [this] { OnClose(); });
    FormCreate(this);
}

TForm1::~TForm1() {
    // The components go before the window that holds them.
    DriveComboBox1.reset();
    TreeView1.reset();
    Memo1.reset();
    Panel2.reset();
    Panel1.reset();
    Splitter1.reset();
    StatusBar1.reset();
    if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
    if (IsWindow(window_)) DestroyWindow(window_);
}

void TForm1::BuildComponents() {
    StatusBar1 = std::make_unique<TStatusBar>(window_, kStatusBarId);
    status_ = std::make_unique<StatusLine>(*StatusBar1);
    Panel1 = std::make_unique<Panel>(window_, true);
    Panel2 = std::make_unique<Panel>(Panel1->Handle(), false);
    DriveComboBox1 = std::make_unique<TDriveComboBox>(Panel2->Handle(), kDriveComboBoxId);
    TreeView1 = std::make_unique<TTreeView>(Panel1->Handle(), kTreeViewId);
    Splitter1 = std::make_unique<Splitter>(window_);
    Memo1 = std::make_unique<TMemo>(window_, kMemoId);
    DriveComboBox1->OnChange = [this](TDriveComboBox& sender) {
        errorbox::Guard([&] { DriveComboBox1Change(&sender); });
    };
    // Folders dropped from Explorer; the editor takes no drops.
    const auto scanDropped = [this](const std::string& folder) { ScanFolderSoon(folder); };
    folderdrop::Install(TreeView1->Handle(), scanDropped);
    folderdrop::Install(DriveComboBox1->Handle(), scanDropped);

    Panel1->OnResize = [this] { LayOutPanel(); };
    Splitter1->Limit = [this](int left) {
        RECT client{};
        GetClientRect(window_, &client);
        return mainlayout::DraggedPanelWidth(left, client.right, Scaled(kSplitterWidth, dpi_),
                                             Scaled(kMinPaneWidth, dpi_));
    };
    Splitter1->OnMoved = [this](int left) {
        panelWidth_ = left;
        LayOut();
    };
    // Tab order: the selector, the tree, the editor.
    SetWindowPos(TreeView1->Handle(), DriveComboBox1->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::BuildMenus() {
    MainMenu1 = CreateMenu();
    MnuFile = CreatePopupMenu();
    AppendCommand(MnuFile, kMnuOpen, texts::kMenuOpenFolder);
    AppendCommand(MnuFile, kMnuSave, texts::kMenuSave);
    AppendMenuW(MnuFile, MF_SEPARATOR, 0, nullptr);  // MnuDmy01
    AppendCommand(MnuFile, kMnuExit, texts::kMenuExit);
    AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(MnuFile), Caption(texts::kMenuFile).c_str());

    MnuEdit = CreatePopupMenu();
    AppendCommand(MnuEdit, kMnuCut, texts::kMenuCut, L"Ctrl+X");
    AppendCommand(MnuEdit, kMnuCopy, texts::kMenuCopy, L"Ctrl+C");
    AppendCommand(MnuEdit, kMnuPaste, texts::kMenuPaste, L"Ctrl+V");
    AppendMenuW(MnuEdit, MF_SEPARATOR, 0, nullptr);  // MnuDmy02
    AppendCommand(MnuEdit, kMnuAllSelect, texts::kMenuSelectAll);
    AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(MnuEdit), Caption(texts::kMenuEdit).c_str());

    MnuView = CreatePopupMenu();
    AppendCommand(MnuView, kMnuFiles, texts::kMenuFiles);
    AppendCommand(MnuView, kMnuDepth, texts::kMenuDepth);
    AppendCommand(MnuView, kMnuExclude, texts::kMenuExclude);
    AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(MnuView), Caption(texts::kMenuView).c_str());

    // A command on the bar itself, with no drop-down.
    AppendCommand(MainMenu1, kMnuMemo, texts::kMenuMemo);
    SetMenu(window_, MainMenu1);

    std::array<ACCEL, 3> keys{{{FCONTROL | FVIRTKEY, 'X', kMnuCut},
                               {FCONTROL | FVIRTKEY, 'C', kMnuCopy},
                               {FCONTROL | FVIRTKEY, 'V', kMnuPaste}}};
    shortcuts_ = CreateAcceleratorTableW(keys.data(), int(keys.size()));
}

void TForm1::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    font_ = CreateWindowFont(dpi);
    DriveComboBox1->ScaleFont(font_.get());
    TreeView1->SetFont(font_.get());
    TreeView1->SetDpi(dpi);
    Memo1->SetDpi(dpi);
    StatusBar1->SetDpi(dpi);
}

void TForm1::LayOut() {
    RECT client{};
    GetClientRect(window_, &client);
    StatusBar1->Dock();
    const mainlayout::Panes panes = mainlayout::LayOut(client.right, client.bottom, StatusBar1->Height(), panelWidth_,
                                                       Scaled(kSplitterWidth, dpi_));
    Panel1->SetBounds(panes.panel.left, panes.panel.top, panes.panel.width, panes.panel.height);
    Splitter1->SetBounds(panes.splitter.left, panes.splitter.top, panes.splitter.width, panes.splitter.height);
    SetWindowPos(Memo1->Handle(), nullptr, panes.memo.left, panes.memo.top, panes.memo.width, panes.memo.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Inside the left pane's bevel: the selector's panel along the top, the tree in the rest.
void TForm1::LayOutPanel() {
    const int border = Panel1->Border();
    const int width = std::max(0, Panel1->Width() - 2 * border);
    const int height = std::max(0, Panel1->Height() - 2 * border);
    const int top = std::min(Scaled(kPanel2Height, dpi_), height);
    Panel2->SetBounds(border, border, width, top);
    SetWindowPos(TreeView1->Handle(), nullptr, border, border + top, width, height - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Panel1Resize(*Panel1);
}

void TForm1::Panel1Resize(const Panel&) { DriveComboBox1->SetWidth(Panel1->Width()); }

void TForm1::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void TForm1::CheckMnuFiles(bool checked) {
    CheckMenuItem(MnuView, kMnuFiles, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TForm1::OnClose() {
    bool canClose = true;
    errorbox::Guard([&] { FormCloseQuery(this, canClose); });
    if (canClose) DestroyWindow(window_);
}

void TForm1::ScanFolderSoon(const std::string& nativePath) {
    soon_.push_back(nativePath);
    PostMessageW(window_, kScanSoon, 0, 0);
}

void TForm1::Show(int showCommand) {
    if (showCommand != SW_SHOWMAXIMIZED && showCommand != SW_SHOWMINNOACTIVE) showCommand = SW_SHOWNORMAL;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    FirstShow();
}

// The selector's list is made as its window would be, before the show handler runs; the
// keyboard starts in the selector, the first control in tab order.
void TForm1::FirstShow() {
    if (shown_) return;
    shown_ = true;
    DriveComboBox1->CreateWnd();
    errorbox::Guard([&] { FormShow(this); });
    SetFocus(DriveComboBox1->Handle());
    if (!startFolder_.empty()) ScanFolderSoon(startFolder_);
}

void TForm1::OnCommand(WORD command) {
    void (Form1Handlers::*handler)(const void*) = nullptr;
    switch (command) {
        case kMnuOpen: handler = &Form1Handlers::MnuOpenClick; break;
        case kMnuSave: handler = &Form1Handlers::MnuSaveClick; break;
        case kMnuExit: handler = &Form1Handlers::MnuExitClick; break;
        case kMnuCut: handler = &Form1Handlers::MnuCutClick; break;
        case kMnuCopy: handler = &Form1Handlers::MnuCopyClick; break;
        case kMnuPaste: handler = &Form1Handlers::MnuPasteClick; break;
        case kMnuAllSelect: handler = &Form1Handlers::MnuAllSelectClick; break;
        case kMnuMemo: handler = &Form1Handlers::MnuMemoClick; break;
        case kMnuFiles: handler = &Form1Handlers::MnuFilesClick; break;
        case kMnuDepth: handler = &Form1Handlers::MnuDepthClick; break;
        case kMnuExclude: handler = &Form1Handlers::MnuExcludeClick; break;
        default: return;
    }
    errorbox::Guard([&] { (this->*handler)(this); });
}

bool TForm1::MoveFocusByTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) & 0x8000) return false;
    const bool back = GetKeyState(VK_SHIFT) & 0x8000;
    const std::array<HWND, 3> order = {DriveComboBox1->Handle(), TreeView1->Handle(), Memo1->Handle()};
    // The editor keeps its tabs; the tree's label editor is a child of the tree and keeps them too.
    for (std::size_t i = 0; i + 1 < order.size() || (back && i < order.size()); ++i) {
        if (message.hwnd != order[i] || (i == 2 && !back)) continue;
        if (i == 2) return false;
        SetFocus(order[back ? (i + order.size() - 1) % order.size() : i + 1]);
        return true;
    }
    return false;
}

bool TForm1::PreTranslate(MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    if (TranslateAcceleratorW(window_, shortcuts_, &message)) return true;
    return MoveFocusByTab(message);
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || !form->Memo1) return DefWindowProcW(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: LayOut(); return 0;
        case WM_COMMAND:
            if (lParam == 0) OnCommand(LOWORD(wParam));
            return 0;
        case WM_DPICHANGED: {
            const UINT dpi = HIWORD(wParam);
            panelWidth_ = MulDiv(panelWidth_, int(dpi), int(dpi_));
            ApplyDpi(dpi);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut();
            return 0;
        }
        case WM_CLOSE: OnClose(); return 0;
        case kScanSoon:
            for (const std::string& folder : std::exchange(soon_, {})) ScanFolderWhenIdle(folder);
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}
