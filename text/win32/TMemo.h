#pragma once
// The editor pane: a multi-line EDIT control (both scroll bars, no wrapping, tabs kept) over
// code page 932 text with CR LF between lines, holding at most linerules::kMaxLength bytes of
// code page 932 however the text arrives (typing, the input method, pasting, the program's
// appends): only the leading part of an insertion that fits goes in.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "resources/win32/Gdi.h"
#include "text/EditorPane.h"

class TMemo final : public EditorPane {
public:
    TMemo(HWND parent, int id);
    ~TMemo() override;
    TMemo(const TMemo&) = delete;
    TMemo& operator=(const TMemo&) = delete;

    HWND Handle() const { return edit_; }

    // Line list (code page 932 bytes, CR LF breaks).
    void ClearLines() override;
    int AppendLine(std::string_view line) override;
    int LineCount() const override;
    std::string LineAt(int index) const override;
    std::string FullText() const override;

    // Bytes the text holds now, every line break counting two.
    std::size_t Length() const;
    // True when the last AppendLine kept less than it was given, for want of room.
    bool AppendCut() const override { return appendCut_; }

    // The edit commands; the clipboard holds Unicode text, which every program reads.
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void SelectAll() override;
    void SetFocus() override;

    // Puts `text` over the selection as far as the room allows, as typing and pasting do:
    // characters code page 932 cannot spell become "?", every kind of line break one CR LF.
    void InsertLimited(std::wstring_view text);

    // The editor font for the DPI the window is drawn at.
    void SetDpi(UINT dpi);

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnChar(wchar_t typed);
    void OnInputMethodResult();

    std::wstring Text() const;
    // Code page 932 bytes of the text between two character positions.
    std::size_t BytesBetween(const std::wstring& text, std::size_t from, std::size_t to) const;
    // Bytes that may go over the selection.
    std::size_t RoomOverSelection(std::size_t insertedBytes) const;
    void ReplaceSelection(std::string_view cp932, bool undoable);

    HWND edit_;
    FontHandle font_;
    bool appendCut_ = false;
    wchar_t pendingHighSurrogate_ = 0;
};
