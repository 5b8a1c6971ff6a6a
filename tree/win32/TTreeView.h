#pragma once
// The folder tree pane: a SysTreeView32 over the store, which stays the one truth. Items are
// made lazily (a node's children when it is first expanded; labels and expand buttons asked
// for when drawn), so a store of a million folders shows at once. A label edit writes the
// node's text.
#include <windows.h>

#include <commctrl.h>

#include <unordered_map>

#include "tree/TTreeNodes.h"
#include "tree/TreePane.h"

class TTreeView final : public TreePane, private TTreeNodesObserver {
public:
    // The pane lives in `parent`, whose messages about it the pane takes itself.
    TTreeView(HWND parent, int id);
    ~TTreeView() override;
    TTreeView(const TTreeView&) = delete;
    TTreeView& operator=(const TTreeView&) = delete;

    HWND Handle() const { return tree_; }
    TTreeNodes& Items() override { return items_; }

    void SetFont(HFONT font);
    // The indent for the DPI the window is drawn at.
    void SetDpi(UINT dpi);

    // While work on another thread uses the store (see StoreLoan).
    void Lend(bool rebuild) override;
    void TakeBack() override;

    // The item made for a node; nullptr while none is.
    HTREEITEM ItemOf(const TTreeNode* node) const;

    static constexpr int kIndent = 19;

private:
    static LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    static LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void GiveItemData(NMTVDISPINFOW& info) const;
    void Populate(HTREEITEM item, const TTreeNode& node);
    HTREEITEM Insert(HTREEITEM parent, TTreeNode* node);
    void InsertTopNodes();
    void RemoveAllItems();
    void EndLabelEdit();

    void BeginAppend(TTreeNode* parent, int index) override;
    void EndAppend() override;
    void BeginReset() override { RemoveAllItems(); }
    void EndReset() override { InsertTopNodes(); }

    HWND parent_;
    HWND tree_;
    TTreeNodes items_;
    std::unordered_map<const TTreeNode*, HTREEITEM> shown_;
    TTreeNode* appendingTo_ = nullptr;
    bool removing_ = false;
    bool lent_ = false;
    bool cancelled_ = false;  // the label edit under way was cancelled
};
