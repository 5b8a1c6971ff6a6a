// The Windows tree pane with a store of 1,000,000 folders (a root, 100 folders of 100 of
// 100), beside a plain SysTreeView32 given 100,000 items up front, in one call: how long the
// pane takes to show the store and to open a node, and what memory the pane adds to the store.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tree/win32/TTreeView.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Memory the process has committed for itself, found by walking its address space (Wine
// reports no working set).
double CommittedMegabytes() {
    std::size_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return double(committed) / (1024.0 * 1024.0);
}

void Pump(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

HWND Frame() {
    return CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 700, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    HWND frame = Frame();
    TTreeView view(frame, 1);
    SetWindowPos(view.Handle(), nullptr, 0, 0, 380, 660, SWP_NOZORDER);
    TTreeNodes& nodes = view.Items();
    const double before = CommittedMegabytes();
    {
        // As a scan fills it: the pane let go meanwhile, shown when it is taken back.
        const StoreLoan loan(view, StoreLoan::kRebuild);
        TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
        for (int i = 0; i < 100; ++i) {
            TTreeNode* a = nodes.AppendChild(root, "folder-" + std::to_string(i));
            for (int j = 0; j < 100; ++j) {
                TTreeNode* b = nodes.AppendChild(a, "sub-" + std::to_string(j));
                for (int k = 0; k < 99; ++k) nodes.AppendChild(b, "leaf-" + std::to_string(k));
            }
        }
    }
    const double stored = CommittedMegabytes();
    // The loan above gave the store back, which is when the pane shows it; measure that again.
    auto start = Clock::now();
    { const StoreLoan loan(view, StoreLoan::kRebuild); }
    Pump(frame);
    const double show = MillisecondsSince(start);
    const int shownItems = int(TreeView_GetCount(view.Handle()));
    start = Clock::now();
    TreeView_Expand(view.Handle(), view.ItemOf(nodes.FirstNode()), TVE_EXPAND);
    Pump(frame);
    const double open = MillisecondsSince(start);
    const double shown = CommittedMegabytes();
    const int openedItems = int(TreeView_GetCount(view.Handle()));

    // The peer: every item made up front, as a pane that copies its store would.
    HWND plain = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 380,
                                 660, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    constexpr int kPeerItems = 100000;
    start = Clock::now();
    TVINSERTSTRUCTW insert{};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    HTREEITEM parent = TVI_ROOT;
    for (int i = 0; i < kPeerItems; ++i) {
        std::wstring text = L"folder-" + std::to_wstring(i);
        insert.hParent = (i % 100 == 0) ? TVI_ROOT : parent;
        insert.item.pszText = text.data();
        const auto item =
            reinterpret_cast<HTREEITEM>(SendMessageW(plain, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        if (i % 100 == 0) parent = item;
    }
    Pump(frame);
    const double upFront = MillisecondsSince(start);

    std::printf("store: %d folders, %.1f MB\n", nodes.NodeCount(), stored - before);
    std::printf("pane shows the store:        %8.1f ms, %d item(s) made\n", show, shownItems);
    std::printf("first opening of the root:   %8.1f ms, %d items made, %.1f MB beside the store\n", open, openedItems,
                shown - stored);
    std::printf("peer, %d items up front: %8.1f ms (%.0f x the lazy pane's showing of 1,000,000)\n", kPeerItems,
                upFront, upFront / (show > 0 ? show : 1));
    DestroyWindow(plain);
    DestroyWindow(frame);
    return 0;
}
