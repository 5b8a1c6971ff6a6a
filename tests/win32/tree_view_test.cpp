// The Windows tree pane over the store: items made lazily, label edits written to the store,
// appends followed, and the pane let go while other work rebuilds the store.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/TestWindow.h"
#include "tree/win32/TTreeView.h"

namespace {

class TreeView : public ::testing::Test {
protected:
    TestWindow window;
    TTreeView view{window.Handle(), 3};
    TTreeNodes& nodes = view.Items();

    int ItemCount() const { return int(TreeView_GetCount(view.Handle())); }

    // What the pane shows for an item: its label as asked for when drawn.
    std::wstring Label(HTREEITEM item) const {
        wchar_t text[300] = {};
        TVITEMW asked{};
        asked.mask = TVIF_TEXT;
        asked.hItem = item;
        asked.pszText = text;
        asked.cchTextMax = int(std::size(text));
        TreeView_GetItem(view.Handle(), &asked);
        return text;
    }

    // A root with `folders` children of `each` children each, appended as a scan does.
    TTreeNode* Scanned(int folders, int each) {
        const TreeUpdate update(nodes);
        nodes.ClearNodes();
        TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
        for (int i = 0; i < folders; ++i) {
            TTreeNode* folder = nodes.AppendChild(root, "f" + std::to_string(i));
            for (int j = 0; j < each; ++j) nodes.AppendChild(folder, "g" + std::to_string(j));
        }
        return root;
    }
};

TEST_F(TreeView, SettingsOfThePane) {
    const LONG style = GetWindowLongW(view.Handle(), GWL_STYLE);
    for (const LONG wanted : {TVS_HASLINES, TVS_HASBUTTONS, TVS_LINESATROOT, TVS_EDITLABELS, TVS_DISABLEDRAGDROP})
        EXPECT_TRUE(style & wanted) << wanted;
    for (const LONG unwanted : {LONG(TVS_SHOWSELALWAYS), LONG(TVS_NOTOOLTIPS), LONG(TVS_SINGLEEXPAND),
                                LONG(TVS_TRACKSELECT), LONG(TVS_FULLROWSELECT), LONG(WS_BORDER)})
        EXPECT_FALSE(style & unwanted) << unwanted;
    EXPECT_TRUE(GetWindowLongW(view.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(TreeView_GetIndent(view.Handle()), 19u);  // the tests run at 96 DPI
}

TEST_F(TreeView, ItemsAreMadeOnlyForWhatIsOpened) {
    TTreeNode* root = Scanned(1000, 10);
    EXPECT_EQ(nodes.NodeCount(), 1 + 1000 + 10000);
    EXPECT_EQ(ItemCount(), 1) << "the root alone, collapsed";
    const HTREEITEM rootItem = view.ItemOf(root);
    ASSERT_NE(rootItem, nullptr);
    EXPECT_EQ(Label(rootItem), L"c:\\");
    EXPECT_FALSE(TreeView_GetSelection(view.Handle()));

    TreeView_Expand(view.Handle(), rootItem, TVE_EXPAND);
    EXPECT_EQ(ItemCount(), 1001);
    TTreeNode* last = root->LastChild();
    EXPECT_EQ(Label(view.ItemOf(last)), L"f999");
    TreeView_Expand(view.Handle(), view.ItemOf(last), TVE_EXPAND);
    EXPECT_EQ(ItemCount(), 1011);
    // Collapsed and opened again: nothing made twice.
    TreeView_Expand(view.Handle(), rootItem, TVE_COLLAPSE);
    TreeView_Expand(view.Handle(), rootItem, TVE_EXPAND);
    EXPECT_EQ(ItemCount(), 1011);

    // A new scan replaces every item.
    Scanned(3, 0);
    EXPECT_EQ(ItemCount(), 1);
}

TEST_F(TreeView, ExpandButtonsFollowTheHasChildrenMark) {
    TTreeNode* root = Scanned(2, 0);
    TreeView_Expand(view.Handle(), view.ItemOf(root), TVE_EXPAND);
    TVITEMW asked{};
    asked.mask = TVIF_CHILDREN;
    asked.hItem = view.ItemOf(root->FirstChild());
    // Asking for the callback value directly gives what the pane draws by.
    NMTVDISPINFOW info{};
    info.hdr = {view.Handle(), 3, TVN_GETDISPINFOW};
    info.item = asked;
    info.item.lParam = reinterpret_cast<LPARAM>(root->FirstChild());
    SendMessageW(window.Handle(), WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.item.cChildren, 0);
    nodes.AppendChild(root->FirstChild(), "new");
    SendMessageW(window.Handle(), WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.item.cChildren, 1);
    EXPECT_EQ(ItemCount(), 3) << "the child of a node never opened is made when it is";
}

TEST_F(TreeView, AppendsAfterShowingAreFollowed) {
    TTreeNode* root = Scanned(2, 0);
    TreeView_Expand(view.Handle(), view.ItemOf(root), TVE_EXPAND);
    TTreeNode* added = nodes.AppendChild(root, "added");
    ASSERT_NE(view.ItemOf(added), nullptr);
    EXPECT_EQ(TreeView_GetNextSibling(view.Handle(), view.ItemOf(root->FirstChild()->NextSibling())),
              view.ItemOf(added));
    TTreeNode* top = nodes.AppendChild(nullptr, "d:\\");
    EXPECT_EQ(TreeView_GetNextSibling(view.Handle(), view.ItemOf(root)), view.ItemOf(top));
    EXPECT_EQ(ItemCount(), 5);
}

TEST_F(TreeView, LabelEditWritesTheNodesTextUnchecked) {
    TTreeNode* root = Scanned(1, 0);
    TreeView_Expand(view.Handle(), view.ItemOf(root), TVE_EXPAND);
    TTreeNode* folder = root->FirstChild();
    const HTREEITEM item = view.ItemOf(folder);

    HWND editor = TreeView_EditLabel(view.Handle(), item);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"\u65B0\u3057\u3044 <&>");  // 新しい
    TreeView_EndEditLabelNow(view.Handle(), FALSE);
    EXPECT_EQ(folder->Text(), "\x90\x56\x82\xB5\x82\xA2 <&>");
    EXPECT_EQ(Label(item), L"\u65B0\u3057\u3044 <&>");

    editor = TreeView_EditLabel(view.Handle(), item);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"discarded");
    TreeView_EndEditLabelNow(view.Handle(), TRUE);  // cancelled
    EXPECT_EQ(folder->Text(), "\x90\x56\x82\xB5\x82\xA2 <&>");

    editor = TreeView_EditLabel(view.Handle(), item);
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"");
    TreeView_EndEditLabelNow(view.Handle(), FALSE);
    EXPECT_EQ(folder->Text(), "");
    EXPECT_EQ(TreeView_GetNextSibling(view.Handle(), view.ItemOf(root)), nullptr);
    EXPECT_EQ(nodes.NodeAt(1), folder) << "no re-sorting";
}

TEST_F(TreeView, LongLabelGoesWholeIntoTheEditor) {
    TTreeNode* root = Scanned(0, 0);
    root->SetText(std::string(400, 'L'));
    HWND editor = TreeView_EditLabel(view.Handle(), view.ItemOf(root));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(editor), 400);
    TreeView_EndEditLabelNow(view.Handle(), FALSE);
    EXPECT_EQ(root->Text(), std::string(400, 'L'));
}

TEST_F(TreeView, LentForARebuildThePaneShowsNothingAndEditsNothing) {
    TTreeNode* root = Scanned(5, 0);
    TreeView_Expand(view.Handle(), view.ItemOf(root), TVE_EXPAND);
    HWND editor = TreeView_EditLabel(view.Handle(), view.ItemOf(root->FirstChild()));
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"kept");
    {
        const StoreLoan loan(view, StoreLoan::kRebuild);
        EXPECT_EQ(root->FirstChild()->Text(), "kept") << "an open edit ends with its text";
        EXPECT_EQ(ItemCount(), 0);
        // Another thread's work would go on here; the pane neither reads nor follows the store.
        Scanned(7, 1);
        EXPECT_EQ(ItemCount(), 0);
    }
    EXPECT_EQ(ItemCount(), 1);
    {
        const StoreLoan loan(view, StoreLoan::kRead);
        EXPECT_EQ(TreeView_EditLabel(view.Handle(), view.ItemOf(nodes.FirstNode())), nullptr);
        EXPECT_EQ(ItemCount(), 1);
    }
    EXPECT_NE(TreeView_EditLabel(view.Handle(), view.ItemOf(nodes.FirstNode())), nullptr);
    TreeView_EndEditLabelNow(view.Handle(), TRUE);
}

TEST_F(TreeView, RightClickSelectsNothing) {
    TTreeNode* root = Scanned(1, 0);
    RECT row{};
    const HTREEITEM item = view.ItemOf(root);
    std::memcpy(&row, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle's place
    SendMessageW(view.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 2, row.top + 2);
    SendMessageW(view.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(view.Handle(), WM_RBUTTONUP, 0, at);
    EXPECT_EQ(TreeView_GetSelection(view.Handle()), nullptr);
    SendMessageW(view.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(view.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(TreeView_GetSelection(view.Handle()), view.ItemOf(root)) << "a left click does";
}

}  // namespace
