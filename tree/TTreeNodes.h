#pragma once
// The folder tree store: nodes in depth-first pre-order, addressed by position.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tree/TTreeNode.h"

// Told about changes so that a view can follow them. While an update runs (BeginUpdate
// to EndUpdate) single changes are not told: the update is one reset.
class TTreeNodesObserver {
public:
    virtual ~TTreeNodesObserver() = default;
    virtual void BeginAppend(TTreeNode* parent, int index) = 0;
    virtual void EndAppend() = 0;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
};

class TTreeNodes {
public:
    TTreeNodes();
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Nodes at all levels.
    int NodeCount() const { return count_; }
    // The node at a pre-order position; ETreeViewError outside 0..NodeCount-1.
    TTreeNode* NodeAt(int position);
    // A new last child of `parent` (a new last top-level node for none). EOutOfResources
    // when the node cannot be added; the store is then unchanged.
    TTreeNode* AppendChild(TTreeNode* parent, std::string text);
    TTreeNode* AppendChild(TTreeNode* parent, std::string text, std::string_view nativeName,
                           TTreeNode::Kind kind = TTreeNode::kFolder);
    void ClearNodes();
    TTreeNode* FirstNode() const { return firstTop_; }
    TTreeNode* LastTopNode() const { return lastTop_; }
    int TopCount() const { return topCount_; }

    void SetObserver(TTreeNodesObserver* observer) { observer_ = observer; }
    // Many changes told as one reset; nests.
    void BeginUpdate();
    void EndUpdate();

    // What NodeAt found last, for tests: the node (none when empty) and its position.
    const TTreeNode* CachedNode() const { return cacheNode_; }
    int CachedPosition() const { return cachePosition_; }
    // Bytes held for the nodes themselves (names beyond the strings' own buffers excluded).
    std::size_t NodeBytes() const;

private:
    struct Chunk;
    TTreeNode* Allocate(std::string text);
    void ReleaseLast();
    void Link(TTreeNode* parent, TTreeNode* node);
    void ReleaseAll();
    void ForgetCache() { cacheNode_ = nullptr, cachePosition_ = -1; }

    std::vector<std::unique_ptr<Chunk>> chunks_;
    TTreeNode* firstTop_ = nullptr;
    TTreeNode* lastTop_ = nullptr;
    int topCount_ = 0;
    int count_ = 0;
    TTreeNode* cacheNode_ = nullptr;
    int cachePosition_ = -1;
    TTreeNodesObserver* observer_ = nullptr;
    int updating_ = 0;
};

// Keeps the store in one update for the life of the object.
class TreeUpdate {
public:
    explicit TreeUpdate(TTreeNodes& nodes) : nodes_(nodes) { nodes_.BeginUpdate(); }
    ~TreeUpdate() { nodes_.EndUpdate(); }
    TreeUpdate(const TreeUpdate&) = delete;
    TreeUpdate& operator=(const TreeUpdate&) = delete;

private:
    TTreeNodes& nodes_;
};
