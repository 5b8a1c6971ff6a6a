#pragma once
// Byte rules of the editor's text: code page 932, CR LF between lines.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/TextEncoding.h"

namespace linerules {

// The most the editor holds; a line break takes two bytes.
inline constexpr std::size_t kMaxLength = 2097152;
// The most of one line that LineAt hands out.
inline constexpr std::size_t kMaxLineBytes = 4096;

// Bytes of the longest leading part of `text` that fits in `room` bytes without
// ending inside a double-byte character or between the CR and LF of a line break.
std::size_t FitLength(std::string_view text, std::size_t room);

// The same for UTF-8 text: never ending inside a character or a line break.
std::size_t FitUtf8Length(std::string_view text, std::size_t room);

// FitLength or FitUtf8Length, as `encoding` says.
inline std::size_t FitLength(std::string_view text, std::size_t room, TextEncoding encoding) {
    return encoding == TextEncoding::kUtf8 ? FitUtf8Length(text, room) : FitLength(text, room);
}

// The leading part of `text` that fits in `room` bytes (see FitLength).
inline std::string_view LeadingPart(std::string_view text, std::size_t room,
                                    TextEncoding encoding = TextEncoding::kCp932) {
    return text.substr(0, FitLength(text, room, encoding));
}

// Every CR LF, lone CR and lone LF becomes one CR LF, so that each costs what it
// will cost in the editor.
std::string UnifyBreaks(std::string_view text);

// What AppendLine inserts at the end of the text: the line and a break after it,
// or, when the last line is not yet closed by a break, a break and the line.
std::string AppendPiece(std::string_view line, bool lastLineOpen);

}  // namespace linerules
