#include "tree/win32/TTreeView.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "resources/win32/Fonts.h"
#include "sjis/WinText.h"
#include "tree/TipText.h"

namespace {

constexpr UINT_PTR kTreeSubclass = 1;
// The settings of the pane: lines, buttons, lines at the root, label editing, no dragging;
// the selection shown only with the focus, hover tips on, no single-expand, no hot tracking,
// no full-row selection.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                         TVS_EDITLABELS | TVS_DISABLEDRAGDROP;

TTreeNode* NodeOf(LPARAM param) { return reinterpret_cast<TTreeNode*>(param); }

std::u16string Units(const std::wstring& text) { return {text.begin(), text.end()}; }

std::wstring WindowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)), L'\0');
    if (!text.empty()) text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size() + 1))));
    return text;
}

// The item's row asks to be painted again.
void RepaintRow(HWND tree, HTREEITEM item) {
    RECT row{};
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    static_assert(sizeof(RECT) >= sizeof(HTREEITEM));
    std::memcpy(&row, &item, sizeof item);
    if (SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row))) InvalidateRect(tree, &row, TRUE);
}

}  // namespace

TTreeView::TTreeView(HWND parent, int id) : parent_(parent) {
    SetWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", kStyle, 0, 0, 0, 0, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(tree_, TreeProc, kTreeSubclass, reinterpret_cast<DWORD_PTR>(this));
    SetDpi(DpiOf(tree_));
    items_.SetObserver(this);
}

TTreeView::~TTreeView() {
    items_.SetObserver(nullptr);
    RemoveWindowSubclass(tree_, TreeProc, kTreeSubclass);
    RemoveAllItems();
    RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
    DestroyWindow(tree_);
}

void TTreeView::SetFont(HFONT font) { SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void TTreeView::SetDpi(UINT dpi) { SendMessageW(tree_, TVM_SETINDENT, WPARAM(Scaled(kIndent, dpi)), 0); }

HTREEITEM TTreeView::ItemOf(const TTreeNode* node) const {
    const auto found = shown_.find(node);
    return found == shown_.end() ? nullptr : found->second;
}

HTREEITEM TTreeView::Insert(HTREEITEM parent, TTreeNode* node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    // Asked for when drawn: a changed label shows at the next paint, and nothing is copied.
    insert.item.pszText = LPSTR_TEXTCALLBACKW;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item) shown_[node] = item;
    return item;
}

void TTreeView::InsertTopNodes() {
    for (TTreeNode* node = items_.FirstNode(); node; node = node->NextSibling()) Insert(nullptr, node);
}

void TTreeView::Populate(HTREEITEM item, const TTreeNode& node) {
    if (TreeView_GetChild(tree_, item)) return;
    SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
    for (TTreeNode* child = node.FirstChild(); child; child = child->NextSibling()) Insert(item, child);
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
}

void TTreeView::RemoveAllItems() {
    removing_ = true;
    TreeView_DeleteAllItems(tree_);
    removing_ = false;
    shown_.clear();
}

void TTreeView::EndLabelEdit() {
    if (TreeView_GetEditControl(tree_)) TreeView_EndEditLabelNow(tree_, FALSE);
}

void TTreeView::Lend(bool rebuild) {
    EndLabelEdit();
    lent_ = true;
    if (!rebuild) return;
    items_.SetObserver(nullptr);
    RemoveAllItems();
}

void TTreeView::TakeBack() {
    lent_ = false;
    if (items_.FirstNode() && shown_.empty()) InsertTopNodes();
    items_.SetObserver(this);
}

void TTreeView::BeginAppend(TTreeNode* parent, int) { appendingTo_ = parent; }

void TTreeView::EndAppend() {
    TTreeNode* parent = appendingTo_;
    if (!parent) {
        Insert(nullptr, items_.LastTopNode());
        return;
    }
    const HTREEITEM parentItem = ItemOf(parent);
    if (!parentItem) return;  // inside a node never opened: made when it is
    if (TreeView_GetChild(tree_, parentItem)) {
        Insert(parentItem, parent->LastChild());
        return;
    }
    // The parent's expand button appears at its next paint.
    RepaintRow(tree_, parentItem);
}

void TTreeView::GiveItemData(NMTVDISPINFOW& info) const {
    const TTreeNode* node = NodeOf(info.item.lParam);
    if (!node) return;
    if ((info.item.mask & TVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        const std::wstring text = WideFromCp932(node->Text());
        const std::size_t room = std::size_t(info.item.cchTextMax) - 1;
        const std::size_t copied = text.copy(info.item.pszText, room);
        info.item.pszText[copied] = L'\0';
    }
    if (info.item.mask & TVIF_CHILDREN) info.item.cChildren = node->HasChildren() ? 1 : 0;
}

LRESULT CALLBACK TTreeView::ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    auto& view = *reinterpret_cast<TTreeView*>(self);
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (header.hwndFrom == view.tree_ && view.OnNotify(header, result)) return result;
    }
    return DefSubclassProc(parent, message, wParam, lParam);
}

bool TTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case TVN_GETDISPINFOW:
            GiveItemData(*reinterpret_cast<NMTVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            return true;
        case TVN_ITEMEXPANDINGW: {
            const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
            if (change.action & TVE_EXPAND) Populate(change.itemNew.hItem, *NodeOf(change.itemNew.lParam));
            result = FALSE;
            return true;
        }
        case TVN_DELETEITEMW:
            if (!removing_) shown_.erase(NodeOf(reinterpret_cast<const NMTREEVIEWW&>(header).itemOld.lParam));
            return true;
        case TVN_BEGINLABELEDITW: {
            // Not while other work holds the store.
            if (lent_) {
                result = TRUE;
                return true;
            }
            // The whole label, however long, goes into the editor.
            const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
            if (const HWND editor = TreeView_GetEditControl(tree_)) {
                SetWindowTextW(editor, WideFromCp932(NodeOf(edit.item.lParam)->Text()).c_str());
                SetWindowSubclass(editor, EditorProc, reinterpret_cast<UINT_PTR>(this),
                                  reinterpret_cast<DWORD_PTR>(this));
            }
            cancelled_ = false;
            result = FALSE;
            return true;
        }
        case TVN_ENDLABELEDITW: {
            // A text, empty included, is taken as it stands; a cancelled edit brings none. The
            // editor's own text is the whole of it, which the notification may have cut short.
            const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
            const HWND editor = TreeView_GetEditControl(tree_);
            if (edit.item.pszText && !cancelled_) {
                NodeOf(edit.item.lParam)->SetText(Cp932FromWide(editor ? WindowText(editor) : edit.item.pszText));
                RepaintRow(tree_, edit.item.hItem);
            }
            if (editor) RemoveWindowSubclass(editor, EditorProc, reinterpret_cast<UINT_PTR>(this));
            result = FALSE;  // the label is the node's, asked for at the next paint
            return true;
        }
        default: return false;
    }
}

// Notes a cancelled edit: ESC in the editor, or the tree told to end it cancelled.
LRESULT CALLBACK TTreeView::EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || (message == WM_CHAR && wParam == VK_ESCAPE))
        reinterpret_cast<TTreeView*>(self)->cancelled_ = true;
    return DefSubclassProc(editor, message, wParam, lParam);
}

LRESULT CALLBACK TTreeView::TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case TVM_ENDEDITLABELNOW:
            if (wParam) reinterpret_cast<TTreeView*>(self)->cancelled_ = true;
            return DefSubclassProc(tree, message, wParam, lParam);
        // A right click neither selects nor opens anything.
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_CONTEXTMENU: return 0;
        case WM_NOTIFY: {
            const LRESULT result = DefSubclassProc(tree, message, wParam, lParam);
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (header.code != TTN_GETDISPINFOW || header.hwndFrom != TreeView_GetToolTips(tree)) return result;
            // The tip of a long label is cut as the label's rule says.
            auto& tip = reinterpret_cast<NMTTDISPINFOW&>(header);
            if (!tip.lpszText || IS_INTRESOURCE(tip.lpszText)) return result;
            const std::u16string cut = treetip::TipText(Units(tip.lpszText));
            const std::size_t copied = std::min(cut.size(), std::size(tip.szText) - 1);
            std::copy_n(cut.begin(), copied, tip.szText);
            tip.szText[copied] = L'\0';
            tip.lpszText = tip.szText;
            return result;
        }
        default: return DefSubclassProc(tree, message, wParam, lParam);
    }
}
