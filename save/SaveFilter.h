#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace save {

// One entry of a file type filter: the description shown and the name patterns.
struct FilterEntry {
    std::string description;
    std::vector<std::string> patterns;
};

// Splits "description|p1;p2|description|p3" (code page 932) into its entries. A "|"
// or ";" that is the second byte of a double-byte character does not separate.
std::vector<FilterEntry> SplitFilter(std::string_view filter);

}  // namespace save
