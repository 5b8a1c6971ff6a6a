#pragma once
// The view options as the window's dialogs spell them: code page 932 text in, options out.
#include <optional>
#include <string>
#include <string_view>

#include "tree/NamePatterns.h"

// The depth box's text for a depth: empty for none (0).
std::string DepthText(int depth);

// A depth typed in the box: digits (ASCII or full-width), spaces around them allowed; 0 for
// an empty box (no limit). nullopt for anything else, 0 and numbers past an int included.
std::optional<int> ReadDepth(std::string_view cp932);

// The patterns typed one per line (CR LF, LF or CR between them): each line without the
// spaces (ASCII and full-width) and tabs at its ends, empty lines dropped; joined by CR LF.
std::string PatternLines(std::string_view cp932);

// The patterns of such lines.
NamePatterns PatternsOfLines(std::string_view lines);
