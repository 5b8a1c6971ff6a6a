#include "sjis/Cp932.h"

#include <array>
#include <cstdint>

namespace sjis::detail {
extern const std::uint16_t kDoubleByteTable[60][192];
}  // namespace sjis::detail

namespace sjis {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char kUnspellable = '?';
// Encode table entry for a character code page 932 cannot spell; no byte pair has lead 0xFF.
constexpr std::uint16_t kNoEncoding = 0xFFFF;

constexpr bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// Characters of the single bytes outside ASCII and half-width katakana, as Windows maps them.
constexpr char16_t SingleByteChar(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xA1 && byte <= 0xDF) return char16_t(0xFF61 + (byte - 0xA1));
    if (byte == 0x80) return u'\u0080';
    if (byte == 0xA0) return u'\uF8F0';
    return char16_t(0xF8F1 + (byte - 0xFD));  // 0xFD-0xFF
}

char16_t DoubleByteChar(unsigned char lead, unsigned char trail) {
    const int row = lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + 31;
    const char16_t code = detail::kDoubleByteTable[row][trail - 0x40];
    return code != 0 ? code : kReplacement;
}

using EncodeTable = std::array<std::uint16_t, 65536>;

// Where several byte pairs decode to one character, Microsoft's encoder picks the
// first of these ranges; the user-defined area and any other pair follow.
constexpr std::array<std::array<unsigned, 2>, 7> kEncodePriority = {{
    {0x8140, 0x84BE},
    {0x889F, 0x9FFC},
    {0xE040, 0xEAA4},  // JIS X 0208
    {0x8740, 0x879C},  // NEC row 13
    {0xFA40, 0xFC4B},  // IBM extensions
    {0xED40, 0xEEFC},  // NEC-selected IBM extensions
    {0x8140, 0xFCFF},  // everything else, in byte order
}};

EncodeTable BuildEncodeTable() {
    EncodeTable table;
    table.fill(kNoEncoding);
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (!IsLeadByte(static_cast<unsigned char>(byte)))
            table[SingleByteChar(static_cast<unsigned char>(byte))] = static_cast<std::uint16_t>(byte);
    }
    for (const auto& [first, last] : kEncodePriority) {
        for (unsigned pair = first; pair <= last; ++pair) {
            const auto lead = static_cast<unsigned char>(pair >> 8);
            const auto trail = static_cast<unsigned char>(pair & 0xFF);
            if (!IsLeadByte(lead) || !IsTrailByte(trail)) continue;
            const char16_t code = DoubleByteChar(lead, trail);
            if (code != kReplacement && table[code] == kNoEncoding) table[code] = static_cast<std::uint16_t>(pair);
        }
    }
    return table;
}

const EncodeTable& Encoder() {
    static const EncodeTable table = BuildEncodeTable();
    return table;
}

// Calls emit(char32_t) for each character of the code page 932 text.
template <typename Emit>
void DecodeEach(std::string_view text, Emit&& emit) {
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(byte)) {
            emit(SingleByteChar(byte));
            ++i;
            continue;
        }
        const auto trail = i + 1 < size ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (IsTrailByte(trail)) {
            emit(DoubleByteChar(byte, trail));
            i += 2;
        } else {
            // A lead byte without a usable partner: keep the byte after it readable.
            emit(kReplacement);
            ++i;
        }
    }
}

// Writes the spelling of `code` at `out` and returns the end; at most two bytes.
char* PutEncoded(char* out, const EncodeTable& table, char32_t code) {
    const std::uint16_t bytes = code <= 0xFFFF ? table[code] : kNoEncoding;
    if (bytes == kNoEncoding) {
        *out++ = kUnspellable;
    } else if (bytes < 0x100) {
        *out++ = static_cast<char>(bytes);
    } else {
        *out++ = static_cast<char>(bytes >> 8);
        *out++ = static_cast<char>(bytes & 0xFF);
    }
    return out;
}

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Calls emit(char32_t) per UTF-16 character; surrogates, paired or lone, come out as
// one out-of-range code so that they spell as one "?".
template <typename Emit>
void ForEachUtf16(std::u16string_view text, Emit&& emit) {
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            if (IsHighSurrogate(unit) && i + 1 < size && IsLowSurrogate(text[i + 1])) ++i;
            emit(char32_t{0x110000});
        } else {
            emit(char32_t{unit});
        }
    }
}

constexpr char32_t kBadUtf8 = 0x110000;

// Reads one UTF-8 character at `i`, advancing past it; an ill-formed sequence
// (maximal invalid subpart) yields kBadUtf8.
char32_t NextUtf8(std::string_view text, std::size_t& i) {
    const auto first = static_cast<unsigned char>(text[i++]);
    if (first < 0x80) return first;
    int extra;
    char32_t code;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (first >= 0xC2 && first <= 0xDF) {
        extra = 1, code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        extra = 2, code = first & 0x0F;
        if (first == 0xE0) low = 0xA0;
        if (first == 0xED) high = 0x9F;  // no surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        extra = 3, code = first & 0x07;
        if (first == 0xF0) low = 0x90;
        if (first == 0xF4) high = 0x8F;
    } else {
        return kBadUtf8;
    }
    for (int k = 0; k < extra; ++k, low = 0x80, high = 0xBF) {
        if (i >= text.size()) return kBadUtf8;
        const auto next = static_cast<unsigned char>(text[i]);
        if (next < low || next > high) return kBadUtf8;
        code = (code << 6) | (next & 0x3F);
        ++i;
    }
    return code;
}

// Writes a BMP character as UTF-8 at `out` and returns the end; at most three bytes.
char* PutUtf8(char* out, char16_t code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// Sizes `out` for the worst case, lets `fill` write from its start and returning
// the end, then trims; avoids a capacity check per character on large texts.
template <typename String, typename Fill>
String Filled(std::size_t worstCase, Fill&& fill) {
    String out(worstCase, typename String::value_type{});
    const auto* end = fill(out.data());
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

}  // namespace

bool IsSecondByte(std::string_view text, std::size_t pos) {
    if (pos == 0 || pos > text.size()) return false;
    std::size_t run = 0;
    for (std::size_t i = pos; i > 0 && IsLeadByte(static_cast<unsigned char>(text[i - 1])); --i) ++run;
    return run % 2 == 1;
}

bool EndsWithSeparator(std::string_view text) {
    bool lastIsSeparator = false;
    for (std::size_t i = 0; i < text.size();) {
        const bool doubleByte = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        lastIsSeparator = !doubleByte && text[i] == '\\';
        i += doubleByte ? 2 : 1;
    }
    return lastIsSeparator;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i])))
            ++i;  // the byte after a lead byte belongs to its character
        else
            out[i] = AsciiLower(out[i]);
    }
    return out;
}

std::string FromUtf16(std::u16string_view text) {
    const EncodeTable& table = Encoder();
    return Filled<std::string>(text.size() * 2, [&](char* out) {
        ForEachUtf16(text, [&](char32_t code) { out = PutEncoded(out, table, code); });
        return out;
    });
}

std::u16string ToUtf16(std::string_view cp932) {
    return Filled<std::u16string>(cp932.size(), [&](char16_t* out) {
        DecodeEach(cp932, [&](char16_t code) { *out++ = code; });
        return out;
    });
}

std::string FromUtf8(std::string_view utf8) {
    const EncodeTable& table = Encoder();
    // Every UTF-8 character takes at least as many bytes as its spelling here.
    return Filled<std::string>(utf8.size(), [&](char* out) {
        for (std::size_t i = 0; i < utf8.size();) out = PutEncoded(out, table, NextUtf8(utf8, i));
        return out;
    });
}

std::string ToUtf8(std::string_view cp932) {
    return Filled<std::string>(cp932.size() * 3, [&](char* out) {
        DecodeEach(cp932, [&](char16_t code) { out = PutUtf8(out, code); });
        return out;
    });
}

std::string ValidUtf8(std::string_view bytes) {
    constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t start = i;
        if (NextUtf8(bytes, i) == kBadUtf8)
            out += kReplacementUtf8;
        else
            out.append(bytes, start, i - start);
    }
    return out;
}

std::size_t EncodedLength(std::u16string_view text) {
    const EncodeTable& table = Encoder();
    std::size_t length = 0;
    ForEachUtf16(text, [&](char32_t code) {
        const std::uint16_t bytes = code <= 0xFFFF ? table[code] : kNoEncoding;
        length += (bytes != kNoEncoding && bytes >= 0x100) ? 2 : 1;
    });
    return length;
}

}  // namespace sjis
