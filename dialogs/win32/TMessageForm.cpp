#include "dialogs/win32/TMessageForm.h"

#include <cwctype>

#include "dialogs/MessageKinds.h"
#include "dialogs/win32/DialogWindow.h"
#include "dialogs/win32/ModalScope.h"
#include "resources/Texts.h"
#include "resources/win32/Fonts.h"
#include "sjis/WinText.h"

namespace {

// Measured and drawn alike, so the text wraps where its rectangle was worked out; "&"
// underlines the next character. A word longer than the line breaks inside, as an edit
// control breaks it, so that no text runs past the wrap width (a long path has no spaces).
constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_EDITCONTROL;
constexpr int kFirstButtonId = 100;

std::wstring Text(std::string_view utf8) { return WideFromCp932(texts::Cp932(utf8)); }

wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); }

// The character after a caption's single "&", upper-cased; 0 when it has none.
wchar_t Accelerator(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return Upper(caption[i + 1]);
        ++i;
    }
    return 0;
}

}  // namespace

LPCWSTR TMessageForm::IconOf(TMessageKind kind) {
    switch (kind) {
        case mkWarning: return IDI_EXCLAMATION;
        case mkError: return IDI_HAND;
        case mkInformation: return IDI_ASTERISK;
        case mkConfirmation: return IDI_QUESTION;
        case mkCustom: break;
    }
    return nullptr;
}

TMessageForm::TMessageForm(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext)
    : helpContext_(helpContext), text_(WideFromCp932(text)) {
    dialog_ = CreateEmptyDialog(DialogProc, reinterpret_cast<LPARAM>(this));
    ownFont_ = MessageFont(DpiOf(dialog_));
    font_ = ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SetWindowTextW(dialog_, Text(KindCaption(kind)).c_str());
    if (const LPCWSTR icon = IconOf(kind)) icon_ = LoadIconW(nullptr, icon);
    {
        const WindowDC dc(dialog_);
        const Selected font(dc, font_);
        Measure(dc, buttons, icon_ != nullptr);
    }
    bool first = true;
    for (const msglayout::PlacedButton& placed : layout_.buttons) {
        AddButton(placed, first);
        first = false;
    }
    if (layout_.defaultButton) SendMessageW(dialog_, DM_SETDEFID, WPARAM(kFirstButtonId + *layout_.defaultButton), 0);
}

TMessageForm::~TMessageForm() { DestroyWindow(dialog_); }

void TMessageForm::Measure(HDC dc, TMessageButtons buttons, bool hasIcon) {
    msglayout::Measures measures;
    measures.letters = LetterRun(dc);
    measures.screen = ScreenOfActiveWindow();
    measures.frame = FrameOf(dialog_);
    measures.text = [&](int wrapWidth) {
        RECT box{0, 0, wrapWidth, 0};
        DrawTextW(dc, text_.c_str(), int(text_.size()), &box, kTextFlags | DT_CALCRECT);
        return msglayout::Size{box.right, box.bottom};
    };
    measures.caption = [&](TMessageButton button) {
        const std::wstring caption = Text(ButtonKindOf(button).caption);
        RECT box{};
        DrawTextW(dc, caption.c_str(), int(caption.size()), &box, DT_SINGLELINE | DT_CALCRECT);
        return int(box.right);
    };
    layout_ = msglayout::LayOut(measures, hasIcon, buttons, msglayout::ProcessButtonWidths());
    SetWindowPos(dialog_, nullptr, layout_.left, layout_.top, layout_.client.width + measures.frame.width,
                 layout_.client.height + measures.frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMessageForm::AddButton(const msglayout::PlacedButton& placed, bool first) {
    const MessageButtonKind& info = ButtonKindOf(placed.kind);
    const bool isDefault = layout_.defaultButton == placed.kind;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (first ? WS_GROUP : 0) |
                        DWORD(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    const msglayout::Rect& r = placed.rect;
    HWND button = CreateWindowExW(0, L"BUTTON", Text(info.caption).c_str(), style, r.left, r.top, r.width, r.height,
                                  dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + placed.kind)),
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    buttons_.emplace_back(placed.kind, button);
}

HWND TMessageForm::Button(TMessageButton kind) const {
    for (const auto& [k, button] : buttons_)
        if (k == kind) return button;
    return nullptr;
}

int TMessageForm::ShowModal() {
    const ModalScope modal(dialog_);
    ShowWindow(dialog_, SW_SHOW);
    SetActiveWindow(dialog_);
    if (!buttons_.empty())
        SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(buttons_.front().second), TRUE);
    modalResult_ = mrNone;
    while (modalResult_ == mrNone) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The application is ending: the close command's result, and the loop above ends too.
            PostQuitMessage(int(message.wParam));
            modalResult_ = mrCancel;
            break;
        }
        const bool ours = message.hwnd == dialog_ || IsChild(dialog_, message.hwnd);
        // Accelerators alone or with Alt; any other character is swallowed without a beep.
        if (ours && (message.message == WM_CHAR || message.message == WM_SYSCHAR)) {
            if (message.message == WM_SYSCHAR && message.wParam == L' ') {
                DispatchMessageW(&message);  // Alt+Space: the window menu
            } else {
                PressAccelerator(static_cast<wchar_t>(message.wParam));
            }
            continue;
        }
        if (IsDialogMessageW(dialog_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ShowWindow(dialog_, SW_HIDE);
    return modalResult_;
}

void TMessageForm::Press(TMessageButton kind) {
    // The Help button would ask the help system for HelpContext(); there is none, and its
    // result 0 keeps the dialog open.
    const int result = ButtonKindOf(kind).modalResult;
    if (result != mrNone) modalResult_ = result;
}

bool TMessageForm::PressAccelerator(wchar_t typed) {
    const wchar_t wanted = Upper(typed);
    for (const auto& [kind, button] : buttons_) {
        if (Accelerator(Text(ButtonKindOf(kind).caption)) == wanted) {
            Press(kind);
            return true;
        }
    }
    return false;
}

void TMessageForm::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog_, &paint);
    if (icon_ && layout_.icon)
        DrawIconEx(dc, layout_.icon->left, layout_.icon->top, icon_, msglayout::kIconSize, msglayout::kIconSize, 0,
                   nullptr, DI_NORMAL);
    const Selected font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const msglayout::Rect& r = layout_.label;
    RECT box{r.left, r.top, r.left + r.width, r.top + r.height};
    DrawTextW(dc, text_.c_str(), int(text_.size()), &box, kTextFlags);
    EndPaint(dialog_, &paint);
}

INT_PTR CALLBACK TMessageForm::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return FALSE;  // the focus is placed when the dialog is shown
    }
    auto* form = reinterpret_cast<TMessageForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return form && form->OnMessage(message, wParam, lParam) ? TRUE : FALSE;
}

bool TMessageForm::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= kFirstButtonId && id <= kFirstButtonId + mbHelp) {
                Press(static_cast<TMessageButton>(id - kFirstButtonId));
            } else if (id == IDCANCEL && layout_.cancelButton) {
                Press(*layout_.cancelButton);  // Esc
            }
            return true;
        }
        case WM_CLOSE:
            // The close box, Alt+F4 and the window menu: 2, whatever the buttons.
            modalResult_ = mrCancel;
            return true;
        case WM_PAINT: Paint(); return true;
        default: return false;
    }
}
