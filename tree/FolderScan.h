#pragma once
// The folder scan without its window: fills the store with a drive's folders in pre-order
// (and their files, when asked), polling ESC where the scan always has.
#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "tree/ScanOptions.h"

class TTreeNode;
class TTreeNodes;

class FolderScan {
public:
    FolderScan(TTreeNodes& nodes, platform::FileSystem& files, platform::Desktop& desktop, bool& interrupted);
    ~FolderScan();
    FolderScan(const FolderScan&) = delete;
    FolderScan& operator=(const FolderScan&) = delete;

    // Clears `interrupted`, empties the store, appends the root node and lists folder after
    // folder until all are listed or ESC is found down. The store is told of it as one update.
    void Run(const std::string& rootText, const std::string& nativeRoot);

    // Lists the folder at a native path and appends its subfolders to `node`, in listing order
    // (its files first, in listing order too, when the options ask for them).
    void AddSubfolders(const std::string& nativeFolder, TTreeNode* node);

    // Folders appended below the root since Run began; safe to read from another thread
    // while the scan runs.
    int Found() const { return found_.load(std::memory_order_relaxed); }
    // What the scans from now on list besides the folders. With a depth, the folders at that
    // level are appended but never read.
    void Use(ScanOptions options) { options_ = std::move(options); }

private:
    void ListInto(TTreeNode* node);
    bool MoveTo(TTreeNode* node);
    void Examine(TTreeNode* node, const platform::ListingEntry& entry);
    void AppendFolder(TTreeNode* node, std::string_view nativeName);
    bool Listed(const TTreeNode* node) const;
    void Start(const std::string& nativeFolder, TTreeNode* top);

    TTreeNodes& nodes_;
    platform::FileSystem& files_;
    platform::Desktop& desktop_;
    bool& interrupted_;
    std::unique_ptr<platform::FolderWalk> walk_;
    // The nodes along the walk's current folder, from the folder the walk started at.
    std::vector<TTreeNode*> path_;
    int baseDepth_ = 0;
    std::vector<TTreeNode*> entering_;
    std::atomic<int> found_ = 0;
    ScanOptions options_;
    // With files, a listing's folders wait here until its files are appended.
    std::vector<std::string> laterFolders_;
    std::size_t laterCount_ = 0;
};
