#pragma once
#include <string>
#include <string_view>

namespace save {

// The extension of a code page 932 name: from the last "." to the end, "." included;
// empty when a folder separator ("\", "/" or ":") comes later or there is no ".".
// A 0x5C that is the second byte of a double-byte character is no separator.
std::string_view FileExtension(std::string_view name);

enum class SaveFormat { kNone, kText, kHtml };

// What the save command does with an accepted name: the extension it appends (empty
// when the name has one) and the writer the final extension selects.
struct SaveChoice {
    std::string appended;
    SaveFormat format = SaveFormat::kNone;
};

// `filterIndex` is the 1-based file type entry; it matters only for a name without extension.
SaveChoice ChooseFormat(std::string_view name, int filterIndex);

}  // namespace save
