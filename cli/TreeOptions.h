#pragma once
// The command line of orvale-tree.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "save/FileExtension.h"
#include "text/TextEncoding.h"
#include "tree/ScanOptions.h"

namespace cli {

struct TreeOptions {
    std::optional<std::string> folder;  // native spelling; none for the current folder
    char drive = 0;                     // a small letter when the folder is "e:" alone
    std::optional<std::string> output;  // -o: native spelling
    save::SaveFormat outputFormat = save::SaveFormat::kNone;
    std::optional<TextEncoding> encoding;  // --encoding
    int depth = -1;                        // -L: levels below the root; -1 for all
    bool files = false;                    // -f: files too
    std::vector<std::string> excluded;     // -I: patterns of names left out, native spelling
    bool memoLimit = false;
    bool help = false;
    bool version = false;
};

// What is wrong with a command line: a text with one "%s" and the argument it names.
struct UsageError {
    std::string_view text;  // UTF-8, from resources/Texts.h
    std::string argument;   // native spelling
};

struct ParsedOptions {
    TreeOptions options;
    std::optional<UsageError> error;
};

// The arguments after the program's name. "--" ends the options; an option's value is the
// next argument whatever it starts with, or follows "=" (long) or the letter (short).
ParsedOptions ParseTreeOptions(const std::vector<std::string>& arguments);

// What the scan is asked to list besides the folders.
// The patterns are spelled as the file system spells names.
ScanOptions ScanOptionsOf(const TreeOptions& options, platform::FileSystem& files);

// The drive a folder argument names: a letter and a colon, either case; 0 for anything else.
char DriveLetter(std::string_view folder);

}  // namespace cli
