#include "tree/TTreeNode.h"

#include <utility>

void TTreeNode::AssignNativeName(std::string_view nativeName) {
    if (nativeName != text_) {
        native_ = nativeName;
        nativeDiffers_ = true;
    }
}

void TTreeNode::SetText(std::string text) {
    // The native name must outlive the label it used to share.
    if (!nativeDiffers_) {
        native_ = std::move(text_);
        nativeDiffers_ = true;
    }
    text_ = std::move(text);
    if (text_ == native_) {
        native_.clear();
        nativeDiffers_ = false;
    }
}

TTreeNode* TTreeNode::NextInOrder() const {
    if (firstChild_) return firstChild_;
    for (const TTreeNode* node = this; node; node = node->parent_)
        if (node->next_) return node->next_;
    return nullptr;
}

TTreeNode* TTreeNode::PrevInOrder() const {
    if (!prev_) return parent_;
    TTreeNode* node = prev_;
    while (node->lastChild_) node = node->lastChild_;
    return node;
}
