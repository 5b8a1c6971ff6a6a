#include "text/TreeText.h"

#include "text/LineRules.h"
#include "tree/TTreeNodes.h"

namespace treetext {

namespace {

// Code page 932 bytes of "┣ ", "┗ ", "┃ " and "　 ".
constexpr Pieces kCp932Pieces{"\x84\xB0\x20", "\x84\xAF\x20", "\x84\xAB\x20", "\x81\x40\x20"};
// U+2523, U+2517, U+2503 and U+3000 in UTF-8, each with its space.
constexpr Pieces kUtf8Pieces{"\xE2\x94\xA3\x20", "\xE2\x94\x97\x20", "\xE2\x94\x83\x20", "\xE3\x80\x80\x20"};
constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

const Pieces& PiecesIn(TextEncoding encoding) { return encoding == TextEncoding::kUtf8 ? kUtf8Pieces : kCp932Pieces; }

std::string Prefix(const TTreeNode& node, const Pieces& pieces) {
    const int depth = node.Depth();
    const std::size_t size = pieces.branch.size();
    std::string prefix(std::size_t(depth) * size, ' ');
    if (depth > 0) {
        // Filled from the right: the node's own connector, then each ancestor's column.
        std::size_t at = prefix.size() - size;
        prefix.replace(at, size, node.NextSibling() ? pieces.branch : pieces.lastBranch);
        const TTreeNode* ancestor = node.ParentNode();
        for (int level = 1; level < depth; ++level, ancestor = ancestor->ParentNode()) {
            at -= size;
            prefix.replace(at, size, ancestor->NextSibling() ? pieces.bar : pieces.blank);
        }
    }
    return prefix;
}

std::string TreeLine(const TTreeNode& node) {
    std::string line = Prefix(node, kCp932Pieces);
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
    const Writing writing{TreeLine, TextEncoding::kCp932, [&result](std::string_view bytes) { result.bytes += bytes; }};
    result.cut = !WriteTreeText(nodes, room, writing);
    return result;
}

bool WriteTreeText(TTreeNodes& nodes, std::size_t room, const Writing& writing) {
    std::size_t written = 0;
    const int count = nodes.NodeCount();
    for (int position = 0; position < count; ++position) {
        std::string line = writing.lineOf(*nodes.NodeAt(position));
        line += kLineBreak;
        const std::size_t left = room - written;
        if (line.size() > left) {
            writing.write(linerules::LeadingPart(line, left, writing.encoding));
            return false;
        }
        writing.write(line);
        written += line.size();
    }
    return true;
}

}  // namespace treetext
