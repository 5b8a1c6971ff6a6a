#include "platform/NameOrder.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace detail {
extern const std::uint8_t kUpperPage[256];
extern const std::uint16_t kUpperDelta[][256];
}  // namespace detail

namespace {

// Length of the UTF-8 sequence starting at `text` (at most `left` bytes), 0 when ill-formed.
std::size_t SequenceLength(const unsigned char* text, std::size_t left) {
    const unsigned char lead = text[0];
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (left < length || text[1] < low || text[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((text[i] & 0xC0) != 0x80) return 0;
    return length;
}

// The UTF-16 code units of a well-formed UTF-8 name, one at a time.
class Utf16Units {
public:
    explicit Utf16Units(std::string_view name)
        : at_(reinterpret_cast<const unsigned char*>(name.data())), end_(at_ + name.size()) {}

    bool Next(char16_t& unit) {
        if (low_) {
            unit = low_;
            low_ = 0;
            return true;
        }
        if (at_ == end_) return false;
        const unsigned char lead = *at_;
        if (lead < 0x80) {
            unit = lead;
            ++at_;
        } else if (lead < 0xE0) {
            unit = char16_t((lead & 0x1F) << 6 | (at_[1] & 0x3F));
            at_ += 2;
        } else if (lead < 0xF0) {
            unit = char16_t((lead & 0x0F) << 12 | (at_[1] & 0x3F) << 6 | (at_[2] & 0x3F));
            at_ += 3;
        } else {
            const std::uint32_t code =
                std::uint32_t(lead & 0x07) << 18 | (at_[1] & 0x3F) << 12 | (at_[2] & 0x3F) << 6 | (at_[3] & 0x3F);
            unit = char16_t(0xD800 + ((code - 0x10000) >> 10));
            low_ = char16_t(0xDC00 + (code & 0x3FF));
            at_ += 4;
        }
        return true;
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
    char16_t low_ = 0;
};

int CompareUtf8Names(std::string_view a, std::string_view b) {
    // Names mostly differ early and in ASCII: compare bytes while both are ASCII.
    std::size_t i = 0;
    int tie = 0;  // the first difference of the unchanged units, used when upper case ties
    for (const std::size_t common = std::min(a.size(), b.size()); i < common; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) break;
        if (x == y) continue;
        const int upperX = x >= 'a' && x <= 'z' ? x - 32 : x, upperY = y >= 'a' && y <= 'z' ? y - 32 : y;
        if (upperX != upperY) return upperX - upperY;
        if (!tie) tie = int(x) - int(y);
    }
    Utf16Units restA(a.substr(i)), restB(b.substr(i));
    for (;;) {
        char16_t x = 0, y = 0;
        const bool moreA = restA.Next(x), moreB = restB.Next(y);
        if (!moreA || !moreB) return moreA ? 1 : moreB ? -1 : tie;
        if (x == y) continue;
        const int upperX = UpperCaseUnit(x), upperY = UpperCaseUnit(y);
        if (upperX != upperY) return upperX - upperY;
        if (!tie) tie = int(x) - int(y);
    }
}

}  // namespace

char16_t UpperCaseUnit(char16_t unit) {
    return char16_t(unit + detail::kUpperDelta[detail::kUpperPage[unit >> 8]][unit & 0xFF]);
}

bool IsUtf8(std::string_view name) {
    const auto* text = reinterpret_cast<const unsigned char*>(name.data());
    for (std::size_t at = 0; at < name.size();) {
        if (text[at] < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = SequenceLength(text + at, name.size() - at);
        if (!length) return false;
        at += length;
    }
    return true;
}

int CompareNames(std::string_view a, bool aIsUtf8, std::string_view b, bool bIsUtf8) {
    if (aIsUtf8 != bIsUtf8) return aIsUtf8 ? -1 : 1;
    if (!aIsUtf8) return a.compare(b);  // char_traits<char> compares bytes as unsigned
    return CompareUtf8Names(a, b);
}

int CompareNames(std::string_view a, std::string_view b) { return CompareNames(a, IsUtf8(a), b, IsUtf8(b)); }

}  // namespace platform
