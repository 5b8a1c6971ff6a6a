// The view options as their dialogs spell them: a depth typed, patterns one per line.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tree/OptionTexts.h"

namespace {

TEST(OptionTextsTest, ADepthIsDigitsAsciiOrFullWidthAndAnEmptyBoxIsNoLimit) {
    EXPECT_EQ(ReadDepth(""), 0);
    EXPECT_EQ(ReadDepth("  \t"), 0);
    EXPECT_EQ(ReadDepth("\x81\x40"), 0);  // a full-width space alone
    EXPECT_EQ(ReadDepth("3"), 3);
    EXPECT_EQ(ReadDepth(" 12 "), 12);
    EXPECT_EQ(ReadDepth("007"), 7);
    EXPECT_EQ(ReadDepth("\x82\x50\x82\x4F"), 10);         // １０
    EXPECT_EQ(ReadDepth("\x81\x40\x82\x58\x81\x40"), 9);  // ９ between full-width spaces
    EXPECT_EQ(ReadDepth("1\x82\x52"), 13);                // 1 and ３ mixed
    EXPECT_EQ(ReadDepth("2147483647"), 2147483647);
    for (const char* bad : {"0", "00", "-1", "+1", "1.5", "1 2", "x", "2147483648", "99999999999999999999",
                            "\x82\x60",  // Ａ
                            "\x82",      // a lead byte alone
                            "3\x81"})
        EXPECT_EQ(ReadDepth(bad), std::nullopt) << bad;
    EXPECT_EQ(DepthText(0), "");
    EXPECT_EQ(DepthText(25), "25");
}

TEST(OptionTextsTest, PatternLinesDropEmptyLinesAndTheBlanksAroundEachPattern) {
    EXPECT_EQ(PatternLines(""), "");
    EXPECT_EQ(PatternLines("\r\n\n\r"), "");
    EXPECT_EQ(PatternLines("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(PatternLines(" \t*.o \t\r\n\r\n  \r\n.git\r\n"), "*.o\r\n.git");
    EXPECT_EQ(PatternLines("\x81\x40\x81\x40node_modules\x81\x40"), "node_modules");
    // Inside a pattern blanks stay; 0x40 as a second byte is no full-width space: ァ is 83 40.
    EXPECT_EQ(PatternLines("a b"), "a b");
    EXPECT_EQ(PatternLines("\x83\x40"), "\x83\x40");
    EXPECT_EQ(PatternLines("x\x81\x81\x40"), "x\x81\x81\x40");  // x, then 81 81 (＝), then @
}

TEST(OptionTextsTest, EachLineIsOnePatternInCodePage932) {
    const NamePatterns patterns = PatternsOfLines("*.o\r\n\x8E\xCA\x90\x5E?\r\n\r\n.GIT");
    EXPECT_TRUE(patterns.Match(u"a.O"));
    EXPECT_TRUE(patterns.Match(u"写真1"));
    EXPECT_TRUE(patterns.Match(u".git"));
    EXPECT_FALSE(patterns.Match(u""));  // the empty line is no pattern
    EXPECT_FALSE(patterns.Match(u"写真"));
    EXPECT_TRUE(PatternsOfLines("").Empty());
}

}  // namespace
