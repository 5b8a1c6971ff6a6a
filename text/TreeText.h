#pragma once
// The folder tree as box-drawn text: one line per node, in pre-order.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "text/TextEncoding.h"

class TTreeNode;
class TTreeNodes;

namespace treetext {

// The four pieces a prefix is made of, each a character and an ASCII space, all of one size:
// "┣ " (the node has a next sibling), "┗ " (it has none), "┃ " (an ancestor has one) and
// "　 " (an ancestor has none; a full-width space).
struct Pieces {
    std::string_view branch, lastBranch, bar, blank;
};
const Pieces& PiecesIn(TextEncoding encoding);

// One piece per ancestor level ("┃ " or "　 " for each ancestor below the top level, then
// "┣ " or "┗ " for the node itself); nothing for a top-level node.
std::string Prefix(const TTreeNode& node, const Pieces& pieces);

// The node's line: its prefix in code page 932, then its text, where a CR or LF becomes "?"
// so that every node keeps to one line.
std::string TreeLine(const TTreeNode& node);

struct Text {
    std::string bytes;  // the lines, each followed by CR LF, cut to the room given
    bool cut = false;   // true when the whole text did not fit
};

// The lines of every node, position 0 to NodeCount - 1, as far as `room` bytes allow
// (never ending inside a character or a line break). Stops building once the room is full.
Text BuildTreeText(TTreeNodes& nodes, std::size_t room);

// How a writer of the tree text spells it and where the bytes go.
struct Writing {
    std::function<std::string(const TTreeNode& node)> lineOf;  // a line without its break
    TextEncoding encoding = TextEncoding::kCp932;              // for cutting at the room
    std::function<void(std::string_view bytes)> write;
};

// BuildTreeText handing each line with its CR LF to `writing.write` as it is made instead of
// keeping the text; the line that does not fit goes out cut and is the last. False when cut.
bool WriteTreeText(TTreeNodes& nodes, std::size_t room, const Writing& writing);

}  // namespace treetext
