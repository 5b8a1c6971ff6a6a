#pragma once
#include <string_view>

#include "save/SavePath.h"

namespace save {

// Writes `text` (code page 932, its own CR LF breaks) as the whole file, in one request.
// An empty text gives an empty file. Throws SaveError; the old file then stays.
void WriteTextFile(const SavePath& target, std::string_view text);

}  // namespace save
