#include "platform/WideText.h"

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

constexpr bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void PutCode(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

void PutUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += char16_t(code);
    } else {
        code -= 0x10000;
        out += char16_t(0xD800 | (code >> 10));
        out += char16_t(0xDC00 | (code & 0x3FF));
    }
}

// One character at `i`, advancing past it: a well-formed sequence, or a surrogate's own
// three-byte form; 0 with `i` past the maximal invalid subpart otherwise.
char32_t NextCode(std::string_view text, std::size_t& i, bool& valid) {
    const auto first = static_cast<unsigned char>(text[i++]);
    valid = true;
    if (first < 0x80) return first;
    int extra = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (first >= 0xC2 && first <= 0xDF) {
        extra = 1, code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        extra = 2, code = first & 0x0F;
        if (first == 0xE0) low = 0xA0;  // overlong
    } else if (first >= 0xF0 && first <= 0xF4) {
        extra = 3, code = first & 0x07;
        if (first == 0xF0) low = 0x90;   // overlong
        if (first == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        valid = false;
        return 0;
    }
    for (int k = 0; k < extra; ++k, low = 0x80, high = 0xBF) {
        const auto next = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (next < low || next > high) {
            valid = false;
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
        ++i;
    }
    return code;
}

}  // namespace

std::string NativeFromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (IsHigh(unit) && i + 1 < utf16.size() && IsLow(utf16[i + 1])) {
            PutCode(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00));
            ++i;
        } else {
            PutCode(out, unit);  // a lone surrogate keeps its own three bytes
        }
    }
    return out;
}

std::u16string Utf16FromNative(std::string_view native) {
    std::u16string out;
    out.reserve(native.size());
    for (std::size_t i = 0; i < native.size();) {
        bool valid = false;
        const char32_t code = NextCode(native, i, valid);
        PutUtf16(out, valid ? code : kReplacement);
    }
    return out;
}

}  // namespace platform
