#include "text/TreeText.h"

#include <string_view>

#include "text/LineRules.h"
#include "tree/TTreeNodes.h"

namespace treetext {

namespace {

// Code page 932 bytes of "┣ ", "┗ ", "┃ " and "　 ".
constexpr std::string_view kBranch = "\x84\xB0\x20";
constexpr std::string_view kLastBranch = "\x84\xAF\x20";
constexpr std::string_view kBar = "\x84\xAB\x20";
constexpr std::string_view kBlank = "\x81\x40\x20";
constexpr std::size_t kPieceBytes = 3;
constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

std::string TreeLine(const TTreeNode& node) {
    const int depth = node.Depth();
    std::string line(std::size_t(depth) * kPieceBytes, ' ');
    if (depth > 0) {
        // Filled from the right: the node's own connector, then each ancestor's column.
        std::size_t at = line.size() - kPieceBytes;
        line.replace(at, kPieceBytes, node.NextSibling() ? kBranch : kLastBranch);
        const TTreeNode* ancestor = node.ParentNode();
        for (int level = 1; level < depth; ++level, ancestor = ancestor->ParentNode()) {
            at -= kPieceBytes;
            line.replace(at, kPieceBytes, ancestor->NextSibling() ? kBar : kBlank);
        }
    }
    // A Linux folder name may hold CR or LF; written as they are they would start a line
    // of their own without its prefix. Second bytes never take these values.
    const std::size_t textStart = line.size();
    line += node.Text();
    for (std::size_t i = textStart; i < line.size(); ++i)
        if (line[i] == '\r' || line[i] == '\n') line[i] = '?';
    return line;
}

Text BuildTreeText(TTreeNodes& nodes, std::size_t room) {
    Text result;
    const int count = nodes.NodeCount();
    for (int position = 0; position < count; ++position) {
        std::string line = TreeLine(*nodes.NodeAt(position));
        line += kLineBreak;
        const std::size_t left = room - result.bytes.size();
        if (line.size() > left) {
            result.bytes += linerules::LeadingPart(line, left);
            result.cut = true;
            break;
        }
        result.bytes += line;
    }
    return result;
}

}  // namespace treetext
