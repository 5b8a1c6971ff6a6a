#pragma once
// Deliberately simple readings of code page 932 bytes, written apart from the program's
// own rules so that the fuzz targets can hold one against the other. Every scan starts at
// the first byte and walks character by character.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline bool LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool TrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
inline unsigned char At(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// Bytes of the character at `i` as the codec reads it: a lead byte takes the next byte only
// when that is a valid second byte.
inline std::size_t CharBytes(std::string_view text, std::size_t i) {
    return LeadByte(At(text, i)) && i + 1 < text.size() && TrailByte(At(text, i + 1)) ? 2 : 1;
}

// True when every lead byte has a valid second byte after it.
inline bool WellFormed(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += CharBytes(text, i))
        if (CharBytes(text, i) == 1 && LeadByte(At(text, i))) return false;
    return true;
}

// The same, with CR LF as one unit: the editor's reading.
inline std::size_t UnitBytes(std::string_view text, std::size_t i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return 2;
    return CharBytes(text, i);
}

// Where each character starts.
inline std::vector<std::size_t> UnitStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += UnitBytes(text, i)) starts.push_back(i);
    return starts;
}

// The longest leading part of `text` of at most `room` bytes that ends between units.
inline std::string_view LongestFit(std::string_view text, std::size_t room) {
    std::size_t end = 0;
    while (end < text.size() && end + UnitBytes(text, end) <= room) end += UnitBytes(text, end);
    return text.substr(0, end);
}

// The pieces between CR LF breaks; the empty piece after a final break is no line.
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i += UnitBytes(text, i)) {
        if (text[i] == '\r' && UnitBytes(text, i) == 2) {
            lines.emplace_back(text.substr(start, i - start));
            start = i + 2;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

// ASCII capitals made small; a lead byte and the byte after it, whatever it is, stay.
inline std::string AsciiSmall(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (LeadByte(At(text, i)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else {
            out += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        }
    }
    return out;
}

}  // namespace fuzz
