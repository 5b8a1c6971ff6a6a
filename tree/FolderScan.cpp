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
        if (Listed(root)) ListInto(root);
        // Each listing appends right after the node just listed, so counting positions up
        // visits the final tree in pre-order; the count is read afresh every pass.
        for (int position = 1; position < nodes_.NodeCount(); ++position) {
            TTreeNode* node = nodes_.NodeAt(position);
            // A file is never read: its pass has nothing to stop.
            if (node->IsFile()) continue;
            if (desktop_.EscapeDown()) interrupted_ = true;
            if (interrupted_) break;
            if (Listed(node)) ListInto(node);
        }
    } catch (const std::bad_alloc&) {
        // Memory ran out on the way to the next node (a name, a listing): to the user that is
        // the store refusing it, and what was found stays.
        walk_.reset();
        throw EOutOfResources();
    }
    walk_.reset();
}

// Files are never read, nor folders at the depth asked for.
bool FolderScan::Listed(const TTreeNode* node) const {
    return !node->IsFile() && (options_.depth <= 0 || node->Depth() < options_.depth);
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
    const std::uint32_t filter = options_.files ? platform::kFileScanFilter : platform::kFolderScanFilter;
    const std::unique_ptr<platform::FolderListing> listing = walk_->List(filter);
    platform::ListingEntry entry;
    laterCount_ = 0;
    if (listing && listing->Next(entry)) {
        Examine(node, entry);
        while (listing->Next(entry)) {
            if (desktop_.EscapeDown()) {
                interrupted_ = true;
                break;
            }
            Examine(node, entry);
        }
    }
    // Files first, as `tree /F` lists them: the folders examined follow, stopped or not.
    for (std::size_t i = 0; i < laterCount_; ++i) AppendFolder(node, laterFolders_[i]);
}

void FolderScan::Examine(TTreeNode* node, const platform::ListingEntry& entry) {
    const std::string_view name = entry.nativeName;
    if (name == "." || name == "..") return;
    const bool folder = entry.attributes & platform::faDirectory;
    if (!folder && !options_.files) return;
    if (!options_.excluded.Empty() && options_.excluded.Match(files_.Utf16Name(name))) return;
    if (!folder) {
        nodes_.AppendChild(node, NodeText(files_, name), name, TTreeNode::kFile);
    } else if (options_.files) {
        if (laterCount_ == laterFolders_.size()) laterFolders_.emplace_back();
        laterFolders_[laterCount_++] = name;
    } else {
        AppendFolder(node, name);
    }
}

void FolderScan::AppendFolder(TTreeNode* node, std::string_view nativeName) {
    nodes_.AppendChild(node, NodeText(files_, nativeName), nativeName);
    // Only the scan writes it: a plain store, no locked add.
    found_.store(found_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}
