#pragma once
// The folder tree store: nodes in depth-first pre-order, addressed by position.
#include <string>

class TTreeNode {
public:
    std::string Text;
};

class TTreeNodes {
public:
    int NodeCount() const { return 0; }
    TTreeNode* NodeAt(int) { return nullptr; }
    TTreeNode* AppendChild(TTreeNode*, std::string) { return nullptr; }
    void ClearNodes() {}
    TTreeNode* FirstNode() const { return nullptr; }
};
