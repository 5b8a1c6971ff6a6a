#pragma once
#include <string_view>

namespace platform {

// Whether a name is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no encoded surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view name);

// The order in which an NTFS folder index keeps its names, for names read as UTF-8: the
// UTF-16 code units are compared one by one after upper-casing each unit on its own (simple
// upper-case mapping), a name that is a prefix of another coming first; names equal after
// upper-casing are ordered by their unchanged units. Names that are not UTF-8 follow all
// others, ordered by their bytes. Negative, zero or positive like a three-way comparison.
int CompareNames(std::string_view a, std::string_view b);

// The same with each name's IsUtf8 already known.
int CompareNames(std::string_view a, bool aIsUtf8, std::string_view b, bool bIsUtf8);

// A UTF-16 code unit upper-cased on its own; surrogate units stay as they are.
char16_t UpperCaseUnit(char16_t unit);

}  // namespace platform
