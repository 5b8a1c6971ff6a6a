#pragma once
// Windows spells names in UTF-16; the program holds every native name and path as UTF-8, so
// that names from both systems meet the same rules (name order, code page 932 text, UTF-8
// output). A lone surrogate, which Windows allows in a name, is kept as its three-byte form
// (WTF-8), so that every name read from the system names the same file again.
#include <string>
#include <string_view>

namespace platform {

std::string NativeFromUtf16(std::u16string_view utf16);

// Ill-formed UTF-8 bytes become U+FFFD, each maximal invalid subpart one.
std::u16string Utf16FromNative(std::string_view native);

}  // namespace platform
