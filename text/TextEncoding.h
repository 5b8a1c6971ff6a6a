#pragma once

// The two spellings the tree text is written in: code page 932, as the program holds it,
// and UTF-8, for a terminal or a page that says so.
enum class TextEncoding { kCp932, kUtf8 };
