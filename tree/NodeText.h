#pragma once
// How a folder's name reads in the tree.
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

// `text` with every control character (0x00-0x1F, 0x7F) as "?": a name holding a line feed,
// a carriage return, a tab or an escape sequence must stay one line of the tree text and
// reach no saved file. Works on code page 932 and UTF-8 alike: neither uses those bytes
// inside a character.
std::string WithoutControls(std::string text);

// The node text of a native name: code page 932, "?" for what it cannot spell and for
// control characters.
std::string NodeText(platform::FileSystem& files, std::string_view nativeName);

// The same name in UTF-8: every character kept, U+FFFD for bytes that spell none, "?" for
// control characters.
std::string Utf8NodeText(platform::FileSystem& files, std::string_view nativeName);
