#pragma once
// The folder tree as box-drawn text: one line per node, in pre-order.
#include <cstddef>
#include <string>

class TTreeNode;
class TTreeNodes;

namespace treetext {

// The node's line: one piece per ancestor level ("┃ " or "　 " for each ancestor below the
// top level, then "┣ " or "┗ " for the node itself), then its text, where a CR or LF
// becomes "?" so that every node keeps to one line.
std::string TreeLine(const TTreeNode& node);

struct Text {
    std::string bytes;  // the lines, each followed by CR LF, cut to the room given
    bool cut = false;   // true when the whole text did not fit
};

// The lines of every node, position 0 to NodeCount - 1, as far as `room` bytes allow
// (never ending inside a character or a line break). Stops building once the room is full.
Text BuildTreeText(TTreeNodes& nodes, std::size_t room);

}  // namespace treetext
