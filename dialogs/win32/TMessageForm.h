#pragma once
// The message dialog window: a fixed dialog frame with a close box only, the kind's system
// icon, the word-wrapped text and one button per kind in the set, in the system's message
// font, sized and placed by msglayout. Enter, Esc, the accelerators (alone or with Alt),
// Tab and the arrows work as in any dialog; it makes no sound of its own.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/MessageDialog.h"
#include "dialogs/MessageLayout.h"
#include "resources/win32/Gdi.h"

class TMessageForm {
public:
    // `text` is code page 932.
    TMessageForm(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext);
    ~TMessageForm();
    TMessageForm(const TMessageForm&) = delete;
    TMessageForm& operator=(const TMessageForm&) = delete;

    // Shows the dialog modally and returns the pressed button's result, 2 when closed.
    int ShowModal();

    HWND Handle() const { return dialog_; }
    HWND Button(TMessageButton kind) const;
    HICON Icon() const { return icon_; }
    int HelpContext() const { return helpContext_; }
    const msglayout::Layout& Layout() const { return layout_; }
    const std::wstring& Message() const { return text_; }

    // The system icon of a kind (mkCustom has none).
    static LPCWSTR IconOf(TMessageKind kind);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Measure(HDC dc, TMessageButtons buttons, bool hasIcon);
    void AddButton(const msglayout::PlacedButton& placed, bool first);
    void Press(TMessageButton kind);
    bool PressAccelerator(wchar_t typed);
    void Paint();

    int helpContext_;
    std::wstring text_;
    HWND dialog_ = nullptr;
    FontHandle ownFont_;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr;
    msglayout::Layout layout_;
    std::vector<std::pair<TMessageButton, HWND>> buttons_;
    int modalResult_ = mrNone;
};
