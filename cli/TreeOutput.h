#pragma once
// The tree text of a scanned tree, as the window writes it: to a stream, or saved as .txt
// or as the HTML page through the program's writers.
#include <cstddef>
#include <cstdio>
#include <functional>

#include "cli/TreeSpelling.h"
#include "save/FileExtension.h"
#include "save/SavePath.h"

class TTreeNodes;

namespace cli {

struct TreeWriting {
    TTreeNodes& nodes;
    const TreeSpelling& spelling;
    std::size_t room;                // the most bytes of tree text; SIZE_MAX for all of it
    std::function<bool()> stopping;  // asked before each line; true ends the writing
};

// What the writing throws when `stopping` says so: a file being saved then stays as it was.
struct WriteStopped {};

// The lines, each with CR LF, as far as the room allows. False when the stream failed.
bool WriteTreeText(std::FILE* stream, const TreeWriting& writing);

// The same saved as a file: .txt, or the HTML page of those lines (each at most what
// LineAt hands out). Throws save::SaveError, or WriteStopped.
void SaveTree(const save::SavePath& target, save::SaveFormat format, const TreeWriting& writing);

}  // namespace cli
