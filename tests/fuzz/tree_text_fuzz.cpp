// The tree store and the tree text builder on trees grown from the input, against a model
// tree kept here: node order and depth, one line per node with its prefix pieces by the
// rules, and the room cut that never ends inside a character or a line break.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "tree/TTreeNodes.h"

namespace {

using fuzz::Require;

constexpr std::size_t kMostNodes = 1000;
const std::string kBranch = "\x84\xB0\x20";      // "┣ "
const std::string kLastBranch = "\x84\xAF\x20";  // "┗ "
const std::string kBar = "\x84\xAB\x20";         // "┃ "
const std::string kBlank = "\x81\x40\x20";       // "　 "

struct ModelNode {
    TTreeNode* node;
    int parent;  // -1 for a top-level node
    std::string text;
    std::vector<int> children;
};

class ModelTree {
public:
    void Clear() { nodes_.clear(), top_.clear(); }
    std::size_t Size() const { return nodes_.size(); }
    ModelNode& operator[](std::size_t i) { return nodes_[i]; }

    void Add(TTreeNode* node, int parent, std::string text) {
        (parent < 0 ? top_ : nodes_[std::size_t(parent)].children).push_back(int(nodes_.size()));
        nodes_.push_back({node, parent, std::move(text), {}});
    }

    // Model indices in depth-first pre-order.
    std::vector<int> PreOrder() const {
        std::vector<int> order, stack(top_.rbegin(), top_.rend());
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            order.push_back(i);
            const std::vector<int>& children = nodes_[std::size_t(i)].children;
            stack.insert(stack.end(), children.rbegin(), children.rend());
        }
        return order;
    }

    int Depth(int i) const {
        int depth = 0;
        for (int p = nodes_[std::size_t(i)].parent; p >= 0; p = nodes_[std::size_t(p)].parent) ++depth;
        return depth;
    }

    bool IsLastChild(int i) const {
        const int parent = nodes_[std::size_t(i)].parent;
        const std::vector<int>& siblings = parent < 0 ? top_ : nodes_[std::size_t(parent)].children;
        return siblings.back() == i;
    }

    // Read left to right: a column per ancestor below the top level, then the node's connector.
    std::string Line(int i) const {
        std::string prefix;
        if (nodes_[std::size_t(i)].parent >= 0) {
            prefix = IsLastChild(i) ? kLastBranch : kBranch;
            for (int a = nodes_[std::size_t(i)].parent; nodes_[std::size_t(a)].parent >= 0;
                 a = nodes_[std::size_t(a)].parent)
                prefix = (IsLastChild(a) ? kBlank : kBar) + prefix;
        }
        std::string text = nodes_[std::size_t(i)].text;
        for (char& c : text)
            if (c == '\r' || c == '\n') c = '?';  // a line break in a name would start a line
        return prefix + text;
    }

private:
    std::vector<ModelNode> nodes_;
    std::vector<int> top_;
};

std::string NodeText(fuzz::FuzzInput& input) {
    if (input.Below(16) == 0) return std::string(input.Below(600), char(0x81 + input.Below(3)));
    return input.Text(24);
}

void Grow(fuzz::FuzzInput& input, TTreeNodes& nodes, ModelTree& model) {
    while (!input.Empty()) {
        const unsigned op = input.Below(16);
        if (op < 11 && model.Size() < kMostNodes) {
            const auto pick = input.Below(std::uint32_t(model.Size() + 1));
            const int parent = pick == model.Size() ? -1 : int(pick);
            std::string text = NodeText(input);
            TTreeNode* node = nodes.AppendChild(parent < 0 ? nullptr : model[std::size_t(parent)].node, text);
            model.Add(node, parent, std::move(text));
        } else if (op < 13 && model.Size() > 0) {
            ModelNode& edited = model[input.Below(std::uint32_t(model.Size()))];
            edited.text = NodeText(input);
            edited.node->SetText(edited.text);
        } else if (op < 15 && model.Size() > 0) {
            // Random reads move the store's one-entry cache around between appends.
            const std::vector<int> order = model.PreOrder();
            const auto position = input.Below(std::uint32_t(order.size()));
            Require(nodes.NodeAt(int(position)) == model[std::size_t(order[position])].node,
                    "NodeAt finds the node at its pre-order position");
        } else if (op == 15 && input.Below(8) == 0) {
            nodes.ClearNodes();
            model.Clear();
        }
    }
}

void CheckLines(TTreeNodes& nodes, ModelTree& model, const std::vector<int>& order, std::string& fullText) {
    Require(nodes.NodeCount() == int(model.Size()), "the store counts every node");
    for (std::size_t position = 0; position < order.size(); ++position) {
        const int i = order[position];
        TTreeNode* node = nodes.NodeAt(int(position));
        Require(node == model[std::size_t(i)].node, "nodes are numbered in pre-order");
        Require(node->Depth() == model.Depth(i), "a node's depth counts its ancestors");
        const std::string line = treetext::TreeLine(*node);
        Require(line == model.Line(i), "the prefix pieces follow the ancestors' next siblings");
        fullText += line + "\r\n";
    }
    std::size_t breaks = 0;
    for (std::size_t at = 0; (at = fullText.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
        Require(fullText.compare(at, 2, "\r\n") == 0, "no CR or LF but the line ends");
        ++breaks;
    }
    Require(breaks == order.size(), "one line per node");
}

void CheckRoom(TTreeNodes& nodes, const std::string& fullText, std::size_t room) {
    const treetext::Text text = treetext::BuildTreeText(nodes, room);
    Require(text.bytes.size() <= room, "the tree text keeps to its room");
    Require(text.bytes == fuzz::LongestFit(fullText, room), "the tree text is the longest leading part that fits");
    Require(text.cut == (fullText.size() > room), "a cut is reported exactly when the text did not fit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const unsigned roomShare = input.Byte();
    TTreeNodes nodes;
    ModelTree model;
    Grow(input, nodes, model);

    const std::vector<int> order = model.PreOrder();
    std::string fullText;
    CheckLines(nodes, model, order, fullText);
    CheckRoom(nodes, fullText, linerules::kMaxLength);
    CheckRoom(nodes, fullText, fullText.size() * roomShare / 255);
    CheckRoom(nodes, fullText, std::min<std::size_t>(roomShare, fullText.size()));
    return 0;
}
