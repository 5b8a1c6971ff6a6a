// The program's own code page 932 codec against the system's, in a process whose ANSI
// code page is 932: every byte pair and every UTF-16 unit must come out the same.
#include "sjis/Cp932.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the system makes of `bytes`; empty when it calls them invalid.
std::u16string SystemDecode(const std::string& bytes) {
    wchar_t out[8];
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), out, 8);
    return std::u16string(out, out + (n > 0 ? n : 0));
}

// The system's spelling of one unit with no best-fit guesses; "?" where it has none.
std::string SystemEncode(char16_t unit) {
    wchar_t in = static_cast<wchar_t>(unit);
    char out[8];
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out, "?", &defaulted);
    return defaulted ? std::string("?") : std::string(out, out + (n > 0 ? n : 0));
}

std::string Hex(const std::string& bytes) {
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    return out;
}

TEST(Win32Cp932, EveryValidPairDecodesAsTheSystemDecodesIt) {
    std::vector<std::string> differ;
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string system = SystemDecode(pair);
            if (system.empty()) continue;  // unassigned: nothing to compare
            ++valid;
            if (sjis::ToUtf16(pair) != system) differ.push_back(Hex(pair));
        }
    }
    EXPECT_GT(valid, 7000);  // JIS X 0208 with the NEC and IBM extensions
    EXPECT_TRUE(differ.empty()) << differ.size() << " pairs differ, first " << differ.front();
}

TEST(Win32Cp932, SingleBytesDecodeAsTheSystemDecodesThem) {
    std::vector<std::string> differ;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        if (sjis::IsLeadByte(static_cast<unsigned char>(byte))) continue;
        std::string one(1, static_cast<char>(byte));
        std::u16string system = SystemDecode(one);
        if (system.empty()) continue;
        if (sjis::ToUtf16(one) != system) differ.push_back(Hex(one));
    }
    EXPECT_TRUE(differ.empty()) << differ.size() << " bytes differ, first " << differ.front();
}

TEST(Win32Cp932, EveryUnitEncodesAsTheSystemEncodesIt) {
    std::vector<std::string> differ;
    for (int unit = 1; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // halves of pairs: not characters alone
        char16_t u = static_cast<char16_t>(unit);
        std::string ours = sjis::FromUtf16(std::u16string_view(&u, 1));
        std::string system = SystemEncode(u);
        if (ours != system) {
            char buf[16];
            snprintf(buf, sizeof buf, "U+%04X ", unit);
            differ.push_back(buf + Hex(system) + "/ " + Hex(ours));
        }
    }
    EXPECT_TRUE(differ.empty()) << differ.size() << " units differ, first " << differ.front();
}

}  // namespace
