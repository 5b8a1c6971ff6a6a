#pragma once
// Deterministic folder trees for the scan benchmark.
#include <string>

namespace bench {

// A random tree of `folders` folders and `files` empty files below `root` (created when
// missing), the same every time for the same counts. Does nothing when `root` already holds
// a tree made with these counts.
void GenerateTree(const std::string& root, int folders, int files);

// One chain of `depth` folders below `root`, built by relative steps.
void GenerateChain(const std::string& root, int depth);

// One folder below `root` holding `count` subfolders.
void GenerateWide(const std::string& root, int count);

// Removes what the two above made, by relative steps (a deep chain has no usable path).
void RemoveTree(const std::string& root);

}  // namespace bench
