#include "dialogs/win32/TInputForm.h"

#include "dialogs/MessageKinds.h"
#include "dialogs/win32/DialogWindow.h"
#include "dialogs/win32/ModalScope.h"
#include "resources/Texts.h"
#include "resources/win32/Fonts.h"
#include "sjis/WinText.h"

namespace {

constexpr int kBoxId = 100, kPromptId = 101;

std::wstring Caption(TMessageButton kind) { return WideFromCp932(texts::Cp932(ButtonKindOf(kind).caption)); }

int TextWidth(HDC dc, const std::wstring& text) {
    RECT box{};
    DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    return int(box.right);
}

}  // namespace

TInputForm::TInputForm(const InputDialog& dialog) : manyLines_(dialog.LineKind() == InputDialog::kManyLines) {
    dialog_ = CreateEmptyDialog(DialogProc, reinterpret_cast<LPARAM>(this));
    ownFont_ = MessageFont(DpiOf(dialog_));
    font_ = ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SetWindowTextW(dialog_, WideFromCp932(dialog.Caption()).c_str());
    {
        const WindowDC dc(dialog_);
        const Selected font(dc, font_);
        Measure(dc, dialog);
    }
    AddControl(L"STATIC", WideFromCp932(dialog.Prompt()), SS_LEFT | SS_NOPREFIX, 0, layout_.prompt, kPromptId);
    const DWORD box = manyLines_
                          ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL
                          : ES_AUTOHSCROLL;
    box_ = AddControl(L"EDIT", WideFromCp932(dialog.Text()), box | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, layout_.box,
                      kBoxId);
    AddControl(L"BUTTON", Caption(mbOK), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, layout_.ok, IDOK);
    AddControl(L"BUTTON", Caption(mbCancel), BS_PUSHBUTTON | WS_TABSTOP, 0, layout_.cancel, IDCANCEL);
    SendMessageW(dialog_, DM_SETDEFID, IDOK, 0);
}

TInputForm::~TInputForm() { DestroyWindow(dialog_); }

void TInputForm::Measure(HDC dc, const InputDialog& dialog) {
    const std::wstring prompt = WideFromCp932(dialog.Prompt());
    SIZE promptSize{};
    GetTextExtentPoint32W(dc, prompt.c_str(), int(prompt.size()), &promptSize);

    inputlayout::Measures measures;
    measures.letters = LetterRun(dc);
    measures.screen = ScreenOfActiveWindow();
    measures.frame = FrameOf(dialog_);
    measures.prompt = {TextWidth(dc, prompt), promptSize.cy};
    measures.caption = [&](TMessageButton kind) { return TextWidth(dc, Caption(kind)); };
    layout_ = inputlayout::LayOut(measures, dialog.LineKind(), msglayout::ProcessButtonWidths());
    SetWindowPos(dialog_, nullptr, layout_.left, layout_.top, layout_.client.width + measures.frame.width,
                 layout_.client.height + measures.frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TInputForm::AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD extended,
                            const msglayout::Rect& rect, int id) {
    HWND control = CreateWindowExW(
        extended, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.width,
        rect.height, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

std::wstring TInputForm::Text() const {
    std::wstring text(std::size_t(GetWindowTextLengthW(box_)), L'\0');
    if (!text.empty()) text.resize(std::size_t(GetWindowTextW(box_, text.data(), int(text.size() + 1))));
    return text;
}

// The keys of the box of several lines, which wants every key for itself: Enter starts a new
// line there, so Ctrl+Enter confirms; Tab moves on, Esc cancels, as everywhere else.
bool TInputForm::TakenFromTheBox(const MSG& message) {
    if (!manyLines_ || message.hwnd != box_ || message.message != WM_KEYDOWN) return false;
    const bool control = GetKeyState(VK_CONTROL) & 0x8000;
    switch (message.wParam) {
        case VK_RETURN:
            if (!control) return false;
            outcome_ = Outcome::kConfirmed;
            return true;
        case VK_TAB:
            if (control) return false;
            SendMessageW(dialog_, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, FALSE);
            return true;
        case VK_ESCAPE: outcome_ = Outcome::kCancelled; return true;
        default: return false;
    }
}

bool TInputForm::ShowModal() {
    const ModalScope modal(dialog_);
    ShowWindow(dialog_, SW_SHOW);
    SetActiveWindow(dialog_);
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box_), TRUE);
    // One line is selected whole, to be typed over; several keep it and go on at the end.
    if (manyLines_) SendMessageW(box_, EM_SETSEL, WPARAM(GetWindowTextLengthW(box_)), GetWindowTextLengthW(box_));
    outcome_ = Outcome::kOpen;
    while (outcome_ == Outcome::kOpen) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The application is ending: cancelled, and the loop above ends too.
            PostQuitMessage(int(message.wParam));
            outcome_ = Outcome::kCancelled;
            break;
        }
        if (TakenFromTheBox(message)) continue;
        if (IsDialogMessageW(dialog_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ShowWindow(dialog_, SW_HIDE);
    return outcome_ == Outcome::kConfirmed;
}

INT_PTR CALLBACK TInputForm::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return FALSE;  // the focus is placed when the dialog is shown
    }
    auto* form = reinterpret_cast<TInputForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return form && form->OnMessage(message, wParam) ? TRUE : FALSE;
}

bool TInputForm::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) outcome_ = Outcome::kConfirmed;
            if (LOWORD(wParam) == IDCANCEL) outcome_ = Outcome::kCancelled;  // also Esc
            return true;
        case WM_CLOSE: outcome_ = Outcome::kCancelled; return true;
        default: return false;
    }
}
