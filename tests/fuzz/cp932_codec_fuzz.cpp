// The code page 932 codec held against glibc's CP932 converter, a separate implementation
// of the same table: decoding, encoding (one preferred spelling where NEC and IBM spell a
// character twice), the UTF-8 paths and the ASCII case change, on any bytes.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/CharScan.h"
#include "fuzz/support/Require.h"
#include "sjis/Cp932.h"

namespace {

using fuzz::Require;

constexpr char16_t kReplacement = u'\uFFFD';

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        Require(handle_ != reinterpret_cast<iconv_t>(-1), "glibc converts code page 932");
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole input converted, or nothing when glibc refuses any of it.
    std::optional<std::string> Convert(std::string_view input) const {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string in(input);
        std::string out(input.size() * 4 + 8, '\0');
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size(), outLeft = out.size();
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1) || inLeft != 0) return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t handle_;
};

std::u16string FromLittleEndian(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += char16_t(fuzz::At(bytes, i) | (fuzz::At(bytes, i + 1) << 8));
    return units;
}

std::string ToLittleEndian(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

// The bytes Windows gives characters of their own that glibc leaves unmapped.
std::optional<char16_t> WindowsOnlySingle(unsigned char byte) {
    if (byte == 0x80) return u'\u0080';
    if (byte == 0xA0) return u'\uF8F0';
    if (byte >= 0xFD) return char16_t(0xF8F1 + (byte - 0xFD));
    return std::nullopt;
}

// glibc's answers for every character and every spelling, asked once.
struct Reference {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pair = std::vector<char16_t>(0x10000, kReplacement);  // by lead << 8 | trail
    std::vector<std::string> spelling = std::vector<std::string>(0x10000);      // empty: cannot be spelt

    Reference() {
        const Converter decoder("UTF-16LE", "CP932");
        const Converter encoder("CP932", "UTF-16LE");
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            const auto b = static_cast<unsigned char>(byte);
            if (fuzz::LeadByte(b)) continue;
            const auto decoded = decoder.Convert(std::string(1, char(b)));
            single[byte] = decoded && decoded->size() == 2 ? FromLittleEndian(*decoded)[0] : *WindowsOnlySingle(b);
        }
        for (unsigned code = 0x8100; code < 0x10000; ++code) {
            const auto lead = static_cast<unsigned char>(code >> 8), trail = static_cast<unsigned char>(code);
            if (!fuzz::LeadByte(lead) || !fuzz::TrailByte(trail)) continue;
            const auto decoded = decoder.Convert(std::string{char(lead), char(trail)});
            if (decoded && decoded->size() == 2) pair[code] = FromLittleEndian(*decoded)[0];
        }
        for (unsigned code = 0; code < 0x10000; ++code) {
            if (code >= 0xD800 && code <= 0xDFFF) continue;
            const auto encoded = encoder.Convert(ToLittleEndian(std::u16string(1, char16_t(code))));
            // glibc also gives look-alikes (yen sign as backslash) that do not read back: not spellings.
            if (encoded && Decode(*encoded) == std::u16string(1, char16_t(code))) spelling[code] = *encoded;
        }
        for (unsigned byte : {0x80u, 0xA0u, 0xFDu, 0xFEu, 0xFFu}) spelling[single[byte]] = std::string(1, char(byte));
    }

    std::u16string Decode(std::string_view text) const {
        std::u16string out;
        for (std::size_t i = 0; i < text.size(); i += fuzz::CharBytes(text, i)) {
            const unsigned char byte = fuzz::At(text, i);
            if (fuzz::CharBytes(text, i) == 2)
                out += pair[byte << 8 | fuzz::At(text, i + 1)];
            else
                out += fuzz::LeadByte(byte) ? kReplacement : single[byte];
        }
        return out;
    }

    // Surrogates, paired or lone, spell as one "?" per character.
    std::string Encode(std::u16string_view text) const {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i];
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
                out += '?';
            } else {
                out += spelling[unit].empty() ? std::string("?") : spelling[unit];
            }
        }
        return out;
    }

    // Every character valid and written the one way the encoder writes it.
    bool Preferred(std::string_view text) const {
        for (std::size_t i = 0; i < text.size(); i += fuzz::CharBytes(text, i)) {
            const std::string_view character = text.substr(i, fuzz::CharBytes(text, i));
            const std::u16string decoded = Decode(character);
            if (decoded[0] == kReplacement || spelling[decoded[0]] != character) return false;
        }
        return true;
    }

    // Every lead byte has a second byte and every pair stands for a character.
    bool Valid(std::string_view text) const {
        for (std::size_t i = 0; i < text.size(); i += fuzz::CharBytes(text, i))
            if (Decode(text.substr(i, fuzz::CharBytes(text, i)))[0] == kReplacement) return false;
        return true;
    }
};

const Reference& Glibc() {
    static const Reference reference;
    return reference;
}

// UTF-8 of text without surrogates.
std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void CheckCodePage932(const Reference& glibc, const std::string& bytes) {
    const std::u16string wide = sjis::ToUtf16(bytes);
    Require(wide == glibc.Decode(bytes), "decoding reads every character as glibc does");
    const std::string again = sjis::FromUtf16(wide);
    Require(again == glibc.Encode(wide), "encoding spells every character as glibc does");
    Require(glibc.Valid(again), "the encoder writes only valid characters");
    Require(glibc.Preferred(again), "the encoder writes only preferred spellings");
    Require(sjis::FromUtf16(sjis::ToUtf16(again)) == again, "decode then encode is a fixed point");
    if (glibc.Preferred(bytes)) Require(again == bytes, "a text in preferred spelling comes back byte for byte");

    const std::string utf8 = sjis::ToUtf8(bytes);
    Require(utf8 == Utf8(wide), "the UTF-8 decoding matches the UTF-16 one");
    Require(sjis::FromUtf8(utf8) == again, "the UTF-8 encoding matches the UTF-16 one");
    Require(sjis::AsciiLower(bytes) == fuzz::AsciiSmall(bytes), "ASCII small letters, double-byte characters kept");
}

void CheckUtf16(const Reference& glibc, std::u16string_view units) {
    const std::string encoded = sjis::FromUtf16(units);
    Require(encoded == glibc.Encode(units), "any UTF-16 spells as glibc spells it, '?' where it cannot");
    Require(glibc.Valid(encoded), "the encoder never writes half a character");
    Require(sjis::EncodedLength(units) == encoded.size(), "EncodedLength is the length of the spelling");
}

void CheckUtf8(const Reference& glibc, const std::string& bytes) {
    const std::string encoded = sjis::FromUtf8(bytes);
    Require(glibc.Valid(encoded), "any UTF-8 spells as valid code page 932");
    static const Converter utf8ToUtf16("UTF-16LE", "UTF-8");
    if (const auto wide = utf8ToUtf16.Convert(bytes))
        Require(encoded == glibc.Encode(FromLittleEndian(*wide)), "well-formed UTF-8 spells as its UTF-16 does");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Reference& glibc = Glibc();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckCodePage932(glibc, bytes);
    CheckUtf16(glibc, FromLittleEndian(bytes));
    CheckUtf8(glibc, bytes);
    return 0;
}
