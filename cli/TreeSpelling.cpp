#include "cli/TreeSpelling.h"

#include "text/TreeText.h"
#include "tree/NodeText.h"
#include "tree/TTreeNode.h"

namespace cli {

TreeSpelling::TreeSpelling(platform::FileSystem& files, const ScanRoot& root, TextEncoding encoding)
    : files_(files), encoding_(encoding), utf8Root_(Utf8NodeText(files, root.nativeText)) {}

std::string TreeSpelling::LineOf(const TTreeNode& node) const {
    if (encoding_ == TextEncoding::kCp932) return treetext::TreeLine(node);
    std::string line = treetext::Prefix(node, treetext::PiecesIn(TextEncoding::kUtf8));
    // The root's native name is the folder's real path; its text is the drive form.
    line += node.ParentNode() ? Utf8NodeText(files_, node.NativeName()) : utf8Root_;
    return line;
}

}  // namespace cli
