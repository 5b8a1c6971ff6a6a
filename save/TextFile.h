#pragma once
#include <functional>
#include <string_view>

#include "save/SavePath.h"

namespace save {

// Writes `text` (code page 932, its own CR LF breaks) as the whole file, in one request.
// An empty text gives an empty file. Throws SaveError; the old file then stays.
void WriteTextFile(const SavePath& target, std::string_view text);

// Hands a writer its bytes piece by piece.
using TextPieces = std::function<void(const std::function<void(std::string_view piece)>& write)>;

// The same for a text made while it is written: the file is the pieces `produce` writes, in
// order, and takes the target's place only once all are written. What `produce` throws
// leaves the old file as a SaveError does.
void WriteTextFile(const SavePath& target, const TextPieces& produce);

}  // namespace save
