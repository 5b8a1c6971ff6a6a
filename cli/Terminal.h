#pragma once
// What orvale-tree asks of the terminal it runs in.
#include <cstdio>
#include <string_view>

#include "text/TextEncoding.h"

namespace cli {

// Whether a stream is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// The encoding the user's terminal reads. Linux: the locale's character set (the locale
// taken from the environment first); Windows: the console's output code page.
TextEncoding TerminalEncoding();

// The encoding for a locale's character set name (nl_langinfo(CODESET)): UTF-8 for UTF-8,
// code page 932 for the Shift_JIS family, and UTF-8 for anything else, which reads
// Japanese names at all where ASCII or another code page would lose them.
TextEncoding EncodingOfCodeset(std::string_view codeset);

// Sets up the process: the environment's locale, and on Windows standard output and error
// untranslated, so a CR LF goes out as two bytes.
void PrepareTerminal();

}  // namespace cli
