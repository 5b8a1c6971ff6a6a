#include "text/win32/TMemo.h"

#include <commctrl.h>
#include <imm.h>

#include <vector>

#include "resources/win32/Fonts.h"
#include "sjis/Cp932.h"
#include "sjis/WinText.h"
#include "text/LineRules.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;

std::u16string_view Units(std::wstring_view text) {
    // wchar_t and char16_t are the same UTF-16 code units on Windows.
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::size_t Cp932Bytes(std::wstring_view text) { return sjis::EncodedLength(Units(text)); }

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// What a typed character puts into the text: Enter and Ctrl+Enter a line break; printable
// characters and tab themselves; other control characters are commands of the control.
bool InsertsText(wchar_t typed) {
    return typed >= 0x20 ? typed != 0x7F : typed == L'\t' || typed == L'\r' || typed == L'\n';
}

}  // namespace

TMemo::TMemo(HWND parent, int id)
    : edit_(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr)) {
    // Characters never outnumber bytes in the text this control holds, so a character limit
    // of the byte limit is a second fence behind the byte count.
    SendMessageW(edit_, EM_SETLIMITTEXT, linerules::kMaxLength, 0);
    SetWindowSubclass(edit_, EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetDpi(DpiOf(edit_));
}

TMemo::~TMemo() {
    RemoveWindowSubclass(edit_, EditProc, kSubclassId);
    DestroyWindow(edit_);
}

void TMemo::SetDpi(UINT dpi) {
    FontHandle font = CreateMemoFont(dpi);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

std::wstring TMemo::Text() const {
    std::wstring text(std::size_t(GetWindowTextLengthW(edit_)), L'\0');
    if (!text.empty()) text.resize(std::size_t(GetWindowTextW(edit_, text.data(), int(text.size() + 1))));
    return text;
}

std::size_t TMemo::Length() const { return Cp932Bytes(Text()); }

std::size_t TMemo::BytesBetween(const std::wstring& text, std::size_t from, std::size_t to) const {
    from = std::min(from, text.size());
    to = std::min(std::max(to, from), text.size());
    return Cp932Bytes(std::wstring_view(text).substr(from, to - from));
}

std::size_t TMemo::RoomOverSelection(std::size_t insertedBytes) const {
    // Every character takes at most two bytes: far from the limit nothing needs counting.
    const auto characters = std::size_t(GetWindowTextLengthW(edit_));
    if (2 * characters + insertedBytes <= linerules::kMaxLength) return insertedBytes;
    DWORD start = 0, end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = Text();
    const std::size_t length = Cp932Bytes(text);
    const std::size_t selected = BytesBetween(text, start, end);
    const std::size_t kept = length - selected;
    return kept < linerules::kMaxLength ? linerules::kMaxLength - kept : 0;
}

void TMemo::ReplaceSelection(std::string_view cp932, bool undoable) {
    const std::wstring wide = WideFromCp932(cp932);
    SendMessageW(edit_, EM_REPLACESEL, undoable ? TRUE : FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TMemo::InsertLimited(std::wstring_view text) {
    const std::string bytes = linerules::UnifyBreaks(Cp932FromWide(text));
    ReplaceSelection(linerules::LeadingPart(bytes, RoomOverSelection(bytes.size())), true);
}

void TMemo::ClearLines() {
    SetWindowTextW(edit_, L"");
    SendMessageW(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
    appendCut_ = false;
}

int TMemo::AppendLine(std::string_view line) {
    const int index = LineCount();
    const int characters = GetWindowTextLengthW(edit_);
    wchar_t last = 0;
    if (characters > 0) {
        const std::wstring text = Text();
        last = text.back();
    }
    const bool lastLineOpen = characters > 0 && last != L'\n';
    const std::string piece = linerules::AppendPiece(linerules::UnifyBreaks(line), lastLineOpen);
    // The selection goes to the end, where the piece then goes.
    SendMessageW(edit_, EM_SETSEL, WPARAM(characters), LPARAM(characters));
    const std::string_view kept = linerules::LeadingPart(piece, RoomOverSelection(piece.size()));
    appendCut_ = kept.size() < piece.size();
    if (characters == 0) {
        // A whole text at once goes in fastest as the control's text.
        SetWindowTextW(edit_, WideFromCp932(kept).c_str());
    } else {
        ReplaceSelection(kept, false);
    }
    const int end = GetWindowTextLengthW(edit_);
    SendMessageW(edit_, EM_SETSEL, WPARAM(end), LPARAM(end));
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    SendMessageW(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
    return index;
}

int TMemo::LineCount() const {
    const auto lines = int(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
    const auto lastStart = SendMessageW(edit_, EM_LINEINDEX, WPARAM(lines - 1), 0);
    const auto lastLength = SendMessageW(edit_, EM_LINELENGTH, WPARAM(lastStart), 0);
    return lastLength == 0 ? lines - 1 : lines;
}

std::string TMemo::LineAt(int index) const {
    if (index < 0 || index >= int(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0))) return {};
    const auto start = SendMessageW(edit_, EM_LINEINDEX, WPARAM(index), 0);
    const auto length = std::size_t(SendMessageW(edit_, EM_LINELENGTH, WPARAM(start), 0));
    // Every character takes at least one byte, so this many characters always cover the cut.
    const std::size_t wanted = std::min(length, linerules::kMaxLineBytes);
    if (wanted == 0) return {};
    std::vector<wchar_t> buffer(wanted + 1, L'\0');
    buffer[0] = static_cast<wchar_t>(wanted);  // EM_GETLINE reads the buffer's size from its first word
    const auto copied =
        std::size_t(SendMessageW(edit_, EM_GETLINE, WPARAM(index), reinterpret_cast<LPARAM>(buffer.data())));
    std::string line = Cp932FromWide(std::wstring_view(buffer.data(), std::min(copied, wanted)));
    line.resize(linerules::FitLength(line, linerules::kMaxLineBytes));
    return line;
}

std::string TMemo::FullText() const { return Cp932FromWide(Text()); }

void TMemo::CutToClipboard() { SendMessageW(edit_, WM_CUT, 0, 0); }

void TMemo::CopyToClipboard() { SendMessageW(edit_, WM_COPY, 0, 0); }

void TMemo::PasteFromClipboard() { SendMessageW(edit_, WM_PASTE, 0, 0); }

void TMemo::SelectAll() { SendMessageW(edit_, EM_SETSEL, 0, -1); }

void TMemo::SetFocus() { ::SetFocus(edit_); }

LRESULT CALLBACK TMemo::EditProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<TMemo*>(self)->OnMessage(message, wParam, lParam);
}

LRESULT TMemo::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // Tab is a character of the text, not a move to the next control.
            return DefSubclassProc(edit_, message, wParam, lParam) | DLGC_WANTTAB | DLGC_WANTALLKEYS;
        case WM_CHAR:
            if (OnChar(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_IME_CHAR:
            if (OnChar(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_IME_COMPOSITION:
            if (lParam & GCS_RESULTSTR) {
                OnInputMethodResult();
                // The control gets the rest of the news, without the result it would insert.
                lParam &= ~LPARAM(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE);
                if (lParam == 0) return 0;
            }
            break;
        case WM_PASTE: {
            if (GetWindowLongPtrW(edit_, GWL_STYLE) & ES_READONLY) return 0;
            if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(edit_)) return 0;
            std::wstring text;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
                    text = units;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            if (!text.empty()) InsertLimited(text);
            return 0;
        }
        case WM_KEYDOWN:
            // Shift+Insert pastes as Ctrl+V does, through WM_PASTE.
            if (wParam == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
                PasteFromClipboard();
                return 0;
            }
            break;
        default: break;
    }
    return DefSubclassProc(edit_, message, wParam, lParam);
}

bool TMemo::OnChar(wchar_t typed) {
    if (!InsertsText(typed)) return false;
    if (IsHighSurrogate(typed)) {
        pendingHighSurrogate_ = typed;
        return true;
    }
    std::wstring text;
    if (IsLowSurrogate(typed) && pendingHighSurrogate_) text += pendingHighSurrogate_;
    pendingHighSurrogate_ = 0;
    text += typed == L'\n' ? L'\r' : typed;
    InsertLimited(text);
    return true;
}

void TMemo::OnInputMethodResult() {
    const HIMC context = ImmGetContext(edit_);
    if (!context) return;
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    if (bytes > 0) {
        std::wstring result(std::size_t(bytes) / sizeof(wchar_t), L'\0');
        ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), DWORD(bytes));
        InsertLimited(result);
    }
    ImmReleaseContext(edit_, context);
}
