#include "tree/FolderScan.h"

#include <new>
#include "platform/Attributes.h"

#include "tree/NodeText.h"
#include "tree/TTreeNodes.h"
#include "tree/TreeErrors.h"

FolderScan::FolderScan(TTreeNodes& nodes, platform::FileSystem& files, platform::Desktop& desktop, bool& interrupted)
    : nodes_(nodes), files_(files), desktop_(desktop), interrupted_(interrupted) {}

FolderScan::~FolderScan() = default;

void FolderScan::Start(const std::string& nativeFolder, TTreeNode* top) {
    walk_ = files_.Walk(nativeFolder);
    // A listing that does not come back is waited for with ESC polls, as between listings.
    walk_->WatchForStop([this] {
        if (desktop_.EscapeDown()) interrupted_ = true;
        return interrupted_;
    });
    path_.assign(1, top);
    baseDepth_ = top->Depth();
}

void FolderScan::Run(const std::string& rootText, const std::string& nativeRoot) {
    interrupted_ = false;
    found_.store(0, std::memory_order_relaxed);
    TreeUpdate update(nodes_);
    nodes_.ClearNodes();
    TTreeNode* root = nodes_.AppendChild(nullptr, rootText, nativeRoot);
    try {
        Start(nativeRoot, root);
        auto listed = [this](const TTreeNode* node) { return depthLimit_ < 0 || node->Depth() < depthLimit_; };
        if (listed(root)) ListInto(root);
        // Each listing appends right after the node just listed, so counting positions up
        // visits the final tree in pre-order; the count is read afresh every pass.
        for (int position = 1; position < nodes_.NodeCount(); ++position) {
            if (desktop_.EscapeDown()) interrupted_ = true;
            if (interrupted_) break;
            TTreeNode* node = nodes_.NodeAt(position);
            if (listed(node)) ListInto(node);
        }
    } catch (const std::bad_alloc&) {
        // Memory ran out on the way to the next node (a name, a listing): to the user that is
        // the store refusing it, and what was found stays.
        walk_.reset();
        throw EOutOfResources();
    }
    walk_.reset();
}

void FolderScan::AddSubfolders(const std::string& nativeFolder, TTreeNode* node) {
    Start(nativeFolder, node);
    ListInto(node);
    walk_.reset();
}

// Brings the walk to the node's folder: back up to the nearest ancestor it is in, then
// down through the ones it is not. In a pre-order scan that is one step up at most.
bool FolderScan::MoveTo(TTreeNode* node) {
    entering_.clear();
    TTreeNode* known = node;
    auto onPath = [&](TTreeNode* n) {
        const int level = n->Depth() - baseDepth_;
        return level >= 0 && level < int(path_.size()) && path_[level] == n;
    };
    while (known && !onPath(known)) {
        entering_.push_back(known);
        known = known->ParentNode();
    }
    if (!known) return false;
    for (std::size_t keep = known->Depth() - baseDepth_ + 1; path_.size() > keep; path_.pop_back()) walk_->Leave();
    for (auto it = entering_.rbegin(); it != entering_.rend(); ++it) {
        walk_->Enter((*it)->NativeName());
        path_.push_back(*it);
    }
    return true;
}

void FolderScan::ListInto(TTreeNode* node) {
    if (!MoveTo(node)) return;
    const std::unique_ptr<platform::FolderListing> listing = walk_->List(platform::kFolderScanFilter);
    platform::ListingEntry entry;
    if (!listing || !listing->Next(entry)) return;
    Examine(node, entry);
    while (listing->Next(entry)) {
        if (desktop_.EscapeDown()) {
            interrupted_ = true;
            return;
        }
        Examine(node, entry);
    }
}

void FolderScan::Examine(TTreeNode* node, const platform::ListingEntry& entry) {
    if (!(entry.attributes & platform::faDirectory) || entry.nativeName == "." || entry.nativeName == "..") return;
    nodes_.AppendChild(node, NodeText(files_, entry.nativeName), entry.nativeName);
    // Only the scan writes it: a plain store, no locked add.
    found_.store(found_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}
