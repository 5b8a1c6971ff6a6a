#pragma once
// Failures of the folder tree store; their messages are code page 932 bytes.
#include <stdexcept>

#include "resources/Texts.h"

// A position outside the store.
class ETreeViewError : public std::runtime_error {
public:
    ETreeViewError() : std::runtime_error(texts::Cp932(texts::kInvalidIndex)) {}
};

// The store could not take another node.
class EOutOfResources : public std::runtime_error {
public:
    EOutOfResources() : std::runtime_error(texts::Cp932(texts::kCannotInsertItem)) {}
};
