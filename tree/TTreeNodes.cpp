#include "tree/TTreeNodes.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

#include "tree/TreeErrors.h"

// Nodes live in chunks that are only ever released all at once, so clearing a store of any
// shape, however deep, is a flat loop and not a recursion down the tree.
struct TTreeNodes::Chunk {
    explicit Chunk(std::size_t size) : capacity(size), nodes(std::allocator<TTreeNode>().allocate(size)) {}
    ~Chunk() {
        for (std::size_t i = 0; i < used; ++i) std::destroy_at(nodes + i);
        std::allocator<TTreeNode>().deallocate(nodes, capacity);
    }
    Chunk(const Chunk&) = delete;
    Chunk& operator=(const Chunk&) = delete;

    std::size_t capacity;
    std::size_t used = 0;
    TTreeNode* nodes;
};

namespace {
constexpr std::size_t kFirstChunk = 64;
constexpr std::size_t kLargestChunk = 8192;
}  // namespace

TTreeNodes::TTreeNodes() = default;
TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::NodeAt(int position) {
    if (position < 0 || position >= count_) throw ETreeViewError();
    TTreeNode* node;
    if (cacheNode_ && position == cachePosition_) {
        node = cacheNode_;
    } else if (cacheNode_ && position == cachePosition_ - 1) {
        node = cacheNode_->PrevInOrder();
    } else if (cacheNode_ && position == cachePosition_ + 1) {
        node = cacheNode_->NextInOrder();
    } else {
        node = firstTop_;
        for (int i = 0; i < position && node; ++i) node = node->NextInOrder();
    }
    if (!node) throw ETreeViewError();
    cacheNode_ = node;
    cachePosition_ = position;
    return node;
}

TTreeNode* TTreeNodes::AppendChild(TTreeNode* parent, std::string text) {
    TTreeNode* node = Allocate(std::move(text));
    Link(parent, node);
    return node;
}

TTreeNode* TTreeNodes::AppendChild(TTreeNode* parent, std::string text, std::string_view nativeName,
                                   TTreeNode::Kind kind) {
    TTreeNode* node = Allocate(std::move(text));
    node->kind_ = kind;
    try {
        node->AssignNativeName(nativeName);
    } catch (const std::bad_alloc&) {
        ReleaseLast();
        throw EOutOfResources();
    }
    Link(parent, node);
    return node;
}

void TTreeNodes::ReleaseLast() {
    Chunk& chunk = *chunks_.back();
    std::destroy_at(chunk.nodes + --chunk.used);
}

TTreeNode* TTreeNodes::Allocate(std::string text) {
    if (count_ == INT_MAX) throw EOutOfResources();
    try {
        if (chunks_.empty() || chunks_.back()->used == chunks_.back()->capacity) {
            const std::size_t size =
                chunks_.empty() ? kFirstChunk : std::min(chunks_.back()->capacity * 2, kLargestChunk);
            chunks_.reserve(chunks_.size() + 1);
            chunks_.push_back(std::make_unique<Chunk>(size));
        }
        Chunk& chunk = *chunks_.back();
        TTreeNode* node = ::new (static_cast<void*>(chunk.nodes + chunk.used)) TTreeNode(std::move(text));
        ++chunk.used;
        return node;
    } catch (const std::bad_alloc&) {
        throw EOutOfResources();
    }
}

void TTreeNodes::Link(TTreeNode* parent, TTreeNode* node) {
    const int index = parent ? parent->childCount_ : topCount_;
    if (observer_ && !updating_) observer_->BeginAppend(parent, index);
    TTreeNode*& first = parent ? parent->firstChild_ : firstTop_;
    TTreeNode*& last = parent ? parent->lastChild_ : lastTop_;
    node->parent_ = parent;
    node->depth_ = parent ? parent->depth_ + 1 : 0;
    node->index_ = index;
    node->prev_ = last;
    (last ? last->next_ : first) = node;
    last = node;
    if (parent) {
        ++parent->childCount_;
        parent->hasChildren_ = true;
    } else {
        ++topCount_;
    }
    ++count_;
    // A node appended under the cached node, or at the very end, comes after it and leaves
    // its position as it was; only other appends can shift it.
    if (parent && parent != cacheNode_) ForgetCache();
    if (observer_ && !updating_) observer_->EndAppend();
}

void TTreeNodes::ClearNodes() {
    if (observer_ && !updating_) observer_->BeginReset();
    ReleaseAll();
    if (observer_ && !updating_) observer_->EndReset();
}

void TTreeNodes::ReleaseAll() {
    ForgetCache();
    firstTop_ = lastTop_ = nullptr;
    topCount_ = count_ = 0;
    chunks_.clear();
}

void TTreeNodes::BeginUpdate() {
    if (updating_++ == 0 && observer_) observer_->BeginReset();
}

void TTreeNodes::EndUpdate() {
    if (--updating_ == 0 && observer_) observer_->EndReset();
}

std::size_t TTreeNodes::NodeBytes() const {
    std::size_t bytes = chunks_.capacity() * sizeof(chunks_[0]);
    for (const auto& chunk : chunks_) bytes += sizeof(Chunk) + chunk->capacity * sizeof(TTreeNode);
    return bytes;
}
