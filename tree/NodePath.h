#pragma once
#include <string>

class TTreeNodes;

// The folder path of the node at a pre-order position: the texts of the node and its
// ancestors joined by "\", ending with "\"; a text that already ends with the separator
// (judged by character) gets no second one. Costs the node's depth.
std::string NodePath(TTreeNodes& nodes, int position);
