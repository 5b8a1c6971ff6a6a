#include <windows.h>

#include <commctrl.h>

#include "drives/DriveListText.h"
#include "drives/DriveRowLayout.h"
#include "drives/win32/DrivePictures.h"
#include "drives/win32/FileCtrl.h"
#include "sjis/WinText.h"

namespace {

constexpr int kVisibleRows = 8;
constexpr DWORD kStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

}  // namespace

TDriveComboBox::TDriveComboBox(HWND parent, int id)
    : parent_(parent), id_(id), pictures_(std::make_unique<DrivePictures>()) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // The parent hears from the list first while it is being made (its row height).
    SetWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    FitItemHeight();
    combo_ = CreateWindowExW(0, WC_COMBOBOXW, L"", kStyle, 0, 0, 0, 0, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(combo_, CB_SETMINVISIBLE, kVisibleRows, 0);
    FitItemHeight();
}

TDriveComboBox::~TDriveComboBox() {
    RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    DestroyWindow(combo_);
}

void TDriveComboBox::RebuildDriveList() {
    DriveSelection::RebuildDriveList();
    FitDropHeight();
}

void TDriveComboBox::ClearItems() { SendMessageW(combo_, CB_RESETCONTENT, 0, 0); }

void TDriveComboBox::AddItem(const drives::DriveItem& item) {
    const std::wstring text = WideFromCp932(item.text);
    const auto row = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (row >= 0) SendMessageW(combo_, CB_SETITEMDATA, WPARAM(row), LPARAM(item.picture));
}

void TDriveComboBox::SelectRow(int row) { SendMessageW(combo_, CB_SETCURSEL, WPARAM(row), 0); }

void TDriveComboBox::FitItemHeight() {
    const WindowDC screen(nullptr);
    const Selected font(screen, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    itemHeight_ = drives::RowHeight(metrics.tmHeight, pictures_->MinimumRowHeight());
    if (!combo_) return;
    SendMessageW(combo_, CB_SETITEMHEIGHT, WPARAM(-1), itemHeight_);  // the closed field
    SendMessageW(combo_, CB_SETITEMHEIGHT, 0, itemHeight_);           // the rows of the list
    FitDropHeight();
}

void TDriveComboBox::SetFont(HFONT font) {
    ScaleFont(font);
    RecreateIfMade();
}

void TDriveComboBox::ScaleFont(HFONT font) {
    font_ = font;
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    FitItemHeight();
}

void TDriveComboBox::SetWidth(int width) {
    width_ = width;
    FitDropHeight();
}

// The control's own height is the field and its open list: the smaller of the item count
// and eight rows, at least one.
void TDriveComboBox::FitDropHeight() {
    if (!combo_) return;
    const int fieldHeight =
        int(SendMessageW(combo_, CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 2 * GetSystemMetrics(SM_CYEDGE) + 2;
    const int rows = std::max(1, std::min(ItemCount(), kVisibleRows));
    const int height = fieldHeight + rows * itemHeight_ + 2 * GetSystemMetrics(SM_CYBORDER);
    SetWindowPos(combo_, nullptr, 0, 0, width_, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TDriveComboBox::ItemText(int row) const {
    if (row < 0) row = SelectedRow();
    if (row < 0) return {};
    const auto length = SendMessageW(combo_, CB_GETLBTEXTLEN, WPARAM(row), 0);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    SendMessageW(combo_, CB_GETLBTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    return Cp932FromWide(text);
}

int TDriveComboBox::ItemCount() const { return int(SendMessageW(combo_, CB_GETCOUNT, 0, 0)); }

int TDriveComboBox::SelectedRow() const { return int(SendMessageW(combo_, CB_GETCURSEL, 0, 0)); }

void TDriveComboBox::RaiseClick() {
    if (OnClick) OnClick(*this);
}

void TDriveComboBox::RaiseChange() {
    if (OnChange) OnChange(*this);
}

LRESULT CALLBACK TDriveComboBox::ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    LRESULT result = 0;
    if (reinterpret_cast<TDriveComboBox*>(self)->OnParentMessage(message, wParam, lParam, result)) return result;
    return DefSubclassProc(parent, message, wParam, lParam);
}

bool TDriveComboBox::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) != combo_ || !combo_ || HIWORD(wParam) != CBN_SELCHANGE) return false;
            Pick();
            return true;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_COMBOBOX || int(item.CtlID) != id_) return false;
            item.itemHeight = UINT(itemHeight_);
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem != combo_ || !combo_) return false;
            DrawRow(item);
            result = TRUE;
            return true;
        }
        default: return false;
    }
}

void TDriveComboBox::DrawRow(const DRAWITEMSTRUCT& item) const {
    const bool selected = item.itemState & ODS_SELECTED;
    const COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF foreground = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    RECT row = item.rcItem;
    const BrushHandle fill(CreateSolidBrush(background));
    FillRect(item.hDC, &row, fill.get());
    // The field with nothing selected is only filled.
    if (item.itemID == UINT(-1)) return;

    const auto picture = static_cast<drives::DrivePicture>(item.itemData);
    const SIZE size = pictures_->SizeOf(picture);
    const drives::RowPlaces places = drives::PlaceRow(row.left, row.top, row.bottom, size.cx, size.cy);
    const int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, row.left, row.top, row.right, row.bottom);
    pictures_->Draw(item.hDC, picture, places.pictureLeft, places.pictureTop);

    const std::string text = ItemText(int(item.itemID));
    const std::wstring wide = WideFromCp932(text);
    RECT textRect = row;
    textRect.left = places.textLeft;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, foreground);
    // An "&" in a label is a character like any other.
    DrawTextW(item.hDC, wide.c_str(), int(wide.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    RestoreDC(item.hDC, saved);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &row);
}
