#pragma once
// The input dialog window on Windows: a fixed dialog frame with a close box only, the
// prompt, an edit box of one line or of several, OK and キャンセル, in the system's message
// font, sized and placed by inputlayout. Enter presses OK (in a box of several lines it
// starts a new line, and Ctrl+Enter presses OK); Esc and the close box cancel; Tab moves
// between the box and the buttons.
#include <windows.h>

#include <string>

#include "dialogs/InputDialog.h"
#include "dialogs/InputLayout.h"
#include "resources/win32/Gdi.h"

class TInputForm {
public:
    explicit TInputForm(const InputDialog& dialog);
    ~TInputForm();
    TInputForm(const TInputForm&) = delete;
    TInputForm& operator=(const TInputForm&) = delete;

    // Shows the dialog modally; true when confirmed.
    bool ShowModal();
    // The box's text; several lines are joined by CR LF.
    std::wstring Text() const;

    HWND Handle() const { return dialog_; }
    HWND Box() const { return box_; }
    HWND Button(int id) const { return GetDlgItem(dialog_, id); }  // IDOK, IDCANCEL
    const inputlayout::Layout& Layout() const { return layout_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam);
    void Measure(HDC dc, const InputDialog& dialog);
    HWND AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD extended,
                    const msglayout::Rect& rect, int id);
    bool TakenFromTheBox(const MSG& message);

    HWND dialog_ = nullptr;
    HWND box_ = nullptr;
    FontHandle ownFont_;
    HFONT font_ = nullptr;
    inputlayout::Layout layout_;
    bool manyLines_ = false;
    enum class Outcome { kOpen, kConfirmed, kCancelled } outcome_ = Outcome::kOpen;
};
