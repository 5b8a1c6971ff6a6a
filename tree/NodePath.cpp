#include "tree/NodePath.h"

#include <vector>

#include "sjis/Cp932.h"
#include "tree/TTreeNodes.h"

std::string NodePath(TTreeNodes& nodes, int position) {
    std::vector<const TTreeNode*> chain;
    std::size_t length = 0;
    for (const TTreeNode* node = nodes.NodeAt(position); node; node = node->ParentNode()) {
        chain.push_back(node);
        length += node->Text().size() + 1;
    }
    std::string path;
    path.reserve(length);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const std::string& text = (*it)->Text();
        path += text;
        if (!sjis::EndsWithSeparator(text)) path += '\\';
    }
    return path;
}
