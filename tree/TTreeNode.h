#pragma once
// One node of the folder tree store.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class TTreeNodes;

class TTreeNode {
public:
    // What a node stands for: a folder (and the root), or a file listed with the files option.
    enum Kind : std::uint8_t { kFolder, kFile };

    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    // The label, code page 932.
    const std::string& Text() const { return text_; }
    // A label edit: any text, empty included.
    void SetText(std::string text);
    // The folder's name as the file system spells it.
    const std::string& NativeName() const { return nativeDiffers_ ? native_ : text_; }
    bool IsFile() const { return kind_ == kFile; }

    TTreeNode* ParentNode() const { return parent_; }
    int Depth() const { return depth_; }
    TTreeNode* NextSibling() const { return next_; }
    TTreeNode* PrevSibling() const { return prev_; }
    TTreeNode* FirstChild() const { return firstChild_; }
    TTreeNode* LastChild() const { return lastChild_; }
    TTreeNode* NextInOrder() const;
    TTreeNode* PrevInOrder() const;

    // Set once a child has been appended: the pane draws an expand button.
    bool HasChildren() const { return hasChildren_; }
    int Count() const { return childCount_; }
    // Place among its siblings (or among the top-level nodes), from 0.
    int Index() const { return index_; }

private:
    friend class TTreeNodes;
    explicit TTreeNode(std::string text) : text_(std::move(text)) {}
    void AssignNativeName(std::string_view nativeName);

    std::string text_;
    std::string native_;  // only while it differs from the label
    TTreeNode* parent_ = nullptr;
    TTreeNode* firstChild_ = nullptr;
    TTreeNode* lastChild_ = nullptr;
    TTreeNode* next_ = nullptr;
    TTreeNode* prev_ = nullptr;
    std::int32_t index_ = 0;
    std::int32_t childCount_ = 0;
    std::int32_t depth_ = 0;
    bool hasChildren_ = false;
    bool nativeDiffers_ = false;
    Kind kind_ = kFolder;
};
