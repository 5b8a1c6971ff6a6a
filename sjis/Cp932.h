#pragma once
// Code page 932 (Shift-JIS as Windows writes it): the program's one codec and
// its byte rules. Text is held as code page 932 bytes in std::string.
#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

// Lead bytes of double-byte characters: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when the byte at `pos` is the second byte of a double-byte character,
// judged by the run of lead bytes right before it (odd run: second byte).
bool IsSecondByte(std::string_view text, std::size_t pos);

// True when the text's last character is "\"; a 0x5C that is the second byte of
// a double-byte character is not one. Reads the characters from the first byte.
bool EndsWithSeparator(std::string_view text);

// ASCII-only case change: A-Z <-> a-z, double-byte characters copied unchanged.
std::string AsciiLower(std::string_view text);
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Unicode <-> code page 932. A character code page 932 cannot spell becomes one "?".
std::string FromUtf16(std::u16string_view text);
std::u16string ToUtf16(std::string_view cp932);
std::string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::string_view cp932);

// Bytes read as UTF-8: well-formed characters as they are, U+FFFD for each ill-formed
// sequence (each maximal invalid subpart, as FromUtf8 gives one "?" for it).
std::string ValidUtf8(std::string_view bytes);

// Bytes one UTF-16 code unit sequence takes in code page 932 (surrogate pairs count as one "?").
std::size_t EncodedLength(std::u16string_view text);

}  // namespace sjis
