#include "sjis/Cp932.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out.push_back(static_cast<char>(b));
    return out;
}

std::u16string Units(std::initializer_list<char16_t> units) { return std::u16string(units); }

bool IsLead(int byte) { return sjis::IsLeadByte(static_cast<unsigned char>(byte)); }

TEST(Cp932Codec, AsciiKeepsBackslashAndTilde) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x5C, 0x7E, 0x41})), u"\\~A");
    EXPECT_EQ(sjis::FromUtf16(u"\\~A"), Bytes({0x5C, 0x7E, 0x41}));
}

TEST(Cp932Codec, FullWidthBackslashAndTilde) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x81, 0x5F, 0x81, 0x60})), Units({0xFF3C, 0xFF5E}));
    EXPECT_EQ(sjis::FromUtf16(Units({0xFF3C, 0xFF5E})), Bytes({0x81, 0x5F, 0x81, 0x60}));
}

TEST(Cp932Codec, ExtensionsDecode) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x87, 0x40})), Units({0x2460}));  // circled one
    EXPECT_EQ(sjis::ToUtf16(Bytes({0xED, 0x40})), Units({0x7E8A}));
    EXPECT_EQ(sjis::ToUtf16(Bytes({0xFA, 0x40})), Units({0x2170}));
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x95, 0x5C})), Units({0x8868}));  // the kanji "table"
    EXPECT_EQ(sjis::FromUtf16(Units({0x8868})), Bytes({0x95, 0x5C}));
}

TEST(Cp932Codec, EncodingFollowsMicrosoftPreference) {
    EXPECT_EQ(sjis::FromUtf16(Units({0x7E8A})), Bytes({0xFA, 0x5C}));
    EXPECT_EQ(sjis::FromUtf16(Units({0x2235})), Bytes({0x81, 0xE6}));
    EXPECT_EQ(sjis::FromUtf16(Units({0xFFE2})), Bytes({0x81, 0xCA}));
    EXPECT_EQ(sjis::FromUtf16(Units({0x2170})), Bytes({0xFA, 0x40}));
    EXPECT_EQ(sjis::FromUtf16(Units({0x2160})), Bytes({0x87, 0x54}));
    EXPECT_EQ(sjis::FromUtf16(Units({0x2252})), Bytes({0x81, 0xE0}));  // also at 87 90
}

TEST(Cp932Codec, UnspellableCharactersBecomeOneQuestionMark) {
    EXPECT_EQ(sjis::FromUtf16(u"a\u00E9b"), "a?b");
    EXPECT_EQ(sjis::FromUtf16(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(sjis::FromUtf16(Units({u'a', 0xD83D, u'b', 0xDE00})), "a?b?");
    EXPECT_EQ(sjis::FromUtf16(Units({0xD83D})), "?");
    EXPECT_EQ(sjis::FromUtf16(Units({0xFFFD})), "?");
    EXPECT_EQ(sjis::EncodedLength(u"a\U0001F600\u00E9\u8868\uFF71"), 6u);
    EXPECT_EQ(sjis::FromUtf8("x\xF0\x9F\x98\x80y\xC3\xA9"), "x?y?");
}

TEST(Cp932Codec, InvalidUtf8BecomesQuestionMarks) {
    EXPECT_EQ(sjis::FromUtf8("a\xFF"
                             "b"),
              "a?b");
    EXPECT_EQ(sjis::FromUtf8("a\xE8\xA1"
                             "b"),
              "a?b");                                  // truncated three-byte sequence
    EXPECT_EQ(sjis::FromUtf8("\xC0\xAF"), "??");       // overlong: two bad bytes
    EXPECT_EQ(sjis::FromUtf8("\xED\xA0\x80"), "???");  // encoded surrogate
    EXPECT_EQ(sjis::FromUtf8("\xE8\xA1\xA8"), Bytes({0x95, 0x5C}));
    EXPECT_EQ(sjis::FromUtf8("\xE8"), "?");
}

TEST(Cp932Codec, Utf8RoundTrip) {
    const std::string text = Bytes({'c', ':', 0x5C, 0x84, 0xAF, 0x20, 0x95, 0x5C, 0xB1, 0x80, 0xA0, 0xFF});
    const std::string utf8 = sjis::ToUtf8(text);
    EXPECT_EQ(utf8, "c:\\\xE2\x94\x97 \xE8\xA1\xA8\xEF\xBD\xB1\xC2\x80\xEF\xA3\xB0\xEF\xA3\xB3");
    EXPECT_EQ(sjis::FromUtf8(utf8), text);
}

TEST(Cp932Codec, SingleBytes) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0xA1, 0xB1, 0xDF})), Units({0xFF61, 0xFF71, 0xFF9F}));
    EXPECT_EQ(sjis::FromUtf16(Units({0xFF61, 0xFF71, 0xFF9F})), Bytes({0xA1, 0xB1, 0xDF}));
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})), Units({0x80, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}));
    for (int byte = 0; byte < 0x100; ++byte) {
        if (IsLead(byte)) continue;
        const std::string one = Bytes({byte});
        EXPECT_EQ(sjis::FromUtf16(sjis::ToUtf16(one)), one) << byte;
    }
}

TEST(Cp932Codec, UserDefinedArea) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0xF0, 0x40, 0xF0, 0x80, 0xF1, 0x40, 0xF9, 0xFC})),
              Units({0xE000, 0xE03F, 0xE0BC, 0xE757}));
    EXPECT_EQ(sjis::FromUtf16(Units({0xE000, 0xE757})), Bytes({0xF0, 0x40, 0xF9, 0xFC}));
    EXPECT_EQ(sjis::FromUtf16(Units({0xE758})), "?");
}

TEST(Cp932Codec, BrokenSequencesDecodeToReplacement) {
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x41, 0x81})), Units({u'A', 0xFFFD}));              // lone lead at the end
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x85, 0x40, 0x41})), Units({0xFFFD, u'A'}));        // unmapped pair
    EXPECT_EQ(sjis::ToUtf16(Bytes({0x81, 0x0D, 0x0A})), Units({0xFFFD, 0x0D, 0x0A}));  // no trail byte
}

TEST(Cp932Codec, EveryPairRoundTripsToItsPreferredSpelling) {
    int mapped = 0;
    int duplicates = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLead(lead)) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair = Bytes({lead, trail});
            const std::u16string decoded = sjis::ToUtf16(pair);
            ASSERT_EQ(decoded.size(), 1u) << std::hex << lead << ' ' << trail;
            if (decoded[0] == 0xFFFD) continue;
            ++mapped;
            const std::string encoded = sjis::FromUtf16(decoded);
            ASSERT_EQ(encoded.size(), 2u) << std::hex << lead << ' ' << trail;
            EXPECT_EQ(sjis::ToUtf16(encoded), decoded) << std::hex << lead << ' ' << trail;
            if (encoded != pair) {
                ++duplicates;
                // A duplicate spelling never wins over a JIS X 0208 one.
                const int preferredLead = static_cast<unsigned char>(encoded[0]);
                EXPECT_TRUE(lead == 0xED || lead == 0xEE || lead >= 0xFA || lead == 0x87)
                    << std::hex << lead << ' ' << trail;
                EXPECT_NE(preferredLead, 0xED);
                EXPECT_NE(preferredLead, 0xEE);
            }
        }
    }
    // Microsoft's table: 7724 mapped pairs plus 1880 of the user-defined area, 398 duplicates.
    EXPECT_EQ(mapped, 7724 + 1880);
    EXPECT_EQ(duplicates, 398);
}

TEST(Cp932Bytes, SecondByteTestCountsTheLeadRun) {
    const std::string odd = Bytes({0x95, 0x5C});
    EXPECT_TRUE(sjis::IsSecondByte(odd, 1));
    EXPECT_FALSE(sjis::IsSecondByte(odd, 0));
    const std::string even = Bytes({0x81, 0x81, 0x5C});
    EXPECT_FALSE(sjis::IsSecondByte(even, 2));
    EXPECT_TRUE(sjis::IsSecondByte(even, 1));
    const std::string three = Bytes({'a', 0x81, 0x81, 0x95, 0x5C});
    EXPECT_TRUE(sjis::IsSecondByte(three, 4));
    EXPECT_FALSE(sjis::IsSecondByte("a\\", 1));
}

TEST(Cp932Bytes, EndsWithSeparatorReadsCharacters) {
    EXPECT_FALSE(sjis::EndsWithSeparator(""));
    EXPECT_TRUE(sjis::EndsWithSeparator("c:\\"));
    EXPECT_FALSE(sjis::EndsWithSeparator("c:\\dir"));
    EXPECT_FALSE(sjis::EndsWithSeparator(Bytes({'d', 0x95, 0x5C})));
    EXPECT_TRUE(sjis::EndsWithSeparator(Bytes({0x81, 0x81, 0x5C})));
    EXPECT_TRUE(sjis::EndsWithSeparator(Bytes({0x95, 0x5C, 0x5C})));
    // Half-width katakana are single bytes, so the 0x5C after one is a separator.
    EXPECT_TRUE(sjis::EndsWithSeparator(Bytes({0xB1, 0x5C})));
}

TEST(Cp932Bytes, AsciiLowerLeavesDoubleByteCharacters) {
    EXPECT_EQ(sjis::AsciiLower(Bytes({'A', 0x83, 0x41, 'B', 0x82, 0x60, 'z', 0xB1})),
              Bytes({'a', 0x83, 0x41, 'b', 0x82, 0x60, 'z', 0xB1}));
    EXPECT_EQ(sjis::AsciiLower(".TXT"), ".txt");
    EXPECT_EQ(sjis::AsciiLower(Bytes({'X', 0x83})), Bytes({'x', 0x83}));
    EXPECT_EQ(sjis::AsciiUpper('q'), 'Q');
}

}  // namespace
