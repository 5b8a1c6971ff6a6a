#pragma once
// orvale-tree's messages on standard error, in the encoding the terminal reads.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "text/TextEncoding.h"

namespace cli {

class Messages {
public:
    Messages(TextEncoding encoding, platform::FileSystem& files) : encoding_(encoding), files_(files) {}

    TextEncoding Encoding() const { return encoding_; }
    // A text of resources/Texts.h (UTF-8) in the terminal's encoding.
    std::string Text(std::string_view utf8) const;
    // A name or path as the file system spells it, readable and with no control character.
    std::string Name(std::string_view native) const;
    // A code page 932 text (a save failure's message), with no control character.
    std::string FromCp932(std::string_view cp932) const;
    // `utf8` in the terminal's encoding with its "%s" marks replaced, in order, by
    // `arguments` (in that encoding already).
    std::string Fill(std::string_view utf8, std::initializer_list<std::string_view> arguments) const;

    // One line on standard error, after the program's name.
    void Error(std::string_view line) const;
    // Text as it is on a stream (no name, no line break added).
    static void Put(std::FILE* stream, std::string_view text);

private:
    TextEncoding encoding_;
    platform::FileSystem& files_;
};

}  // namespace cli
