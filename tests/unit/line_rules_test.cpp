#include "text/LineRules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out.push_back(static_cast<char>(b));
    return out;
}

TEST(LineRulesFit, WholeTextWhenRoomEnough) {
    EXPECT_EQ(linerules::FitLength("abc", 3), 3u);
    EXPECT_EQ(linerules::FitLength("abc", 100), 3u);
    EXPECT_EQ(linerules::FitLength("", 0), 0u);
    EXPECT_EQ(linerules::FitLength("abc", 0), 0u);
}

TEST(LineRulesFit, NeverHalfADoubleByteCharacter) {
    // "a", the kanji "table" (0x95 0x5C, second byte a backslash), "b"
    const std::string text = Bytes({'a', 0x95, 0x5C, 'b'});
    EXPECT_EQ(linerules::FitLength(text, 1), 1u);
    EXPECT_EQ(linerules::FitLength(text, 2), 1u);
    EXPECT_EQ(linerules::FitLength(text, 3), 3u);
    // Two double-byte characters in a row whose second bytes are lead-byte values.
    const std::string run = Bytes({0x81, 0x81, 0x81, 0x81, 'x'});
    EXPECT_EQ(linerules::FitLength(run, 3), 2u);
    EXPECT_EQ(linerules::FitLength(run, 4), 4u);
    // Half-width katakana is one byte.
    EXPECT_EQ(linerules::FitLength(Bytes({0xB1, 0xB2, 0xB3}), 2), 2u);
}

TEST(LineRulesFit, NeverBetweenCrAndLf) {
    EXPECT_EQ(linerules::FitLength("A\r\nB", 2), 1u);
    EXPECT_EQ(linerules::FitLength("A\r\nB", 3), 3u);
    EXPECT_EQ(linerules::FitLength("\r\n\r\n", 3), 2u);
}

TEST(LineRulesFit, LeadByteWithoutPartnerCountsAlone) {
    EXPECT_EQ(linerules::FitLength(Bytes({0x81, '\r', '\n', 'x'}), 3), 3u);
    EXPECT_EQ(linerules::FitLength(Bytes({'a', 'b', 0x81}), 2), 2u);
}

TEST(LineRulesFit, LeadingPartIsAPrefix) {
    const std::string text = Bytes({0x82, 0xA0, 0x82, 0xA2, 0x82, 0xA4});
    EXPECT_EQ(linerules::LeadingPart(text, 5), Bytes({0x82, 0xA0, 0x82, 0xA2}));
    EXPECT_EQ(linerules::LeadingPart(text, 1), "");
}

TEST(LineRulesBreaks, EveryKindOfBreakBecomesCrLf) {
    EXPECT_EQ(linerules::UnifyBreaks("a\r\nb\rc\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(linerules::UnifyBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(linerules::UnifyBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(linerules::UnifyBreaks(""), "");
    const std::string kanji = Bytes({0x95, 0x5C, 0x83, 0x5C});
    EXPECT_EQ(linerules::UnifyBreaks(kanji), kanji);
}

TEST(LineRulesAppend, PieceDependsOnWhetherTheLastLineIsOpen) {
    EXPECT_EQ(linerules::AppendPiece("abc", false), "abc\r\n");
    EXPECT_EQ(linerules::AppendPiece("C", true), "\r\nC");
    EXPECT_EQ(linerules::AppendPiece("", false), "\r\n");
}

}  // namespace
