// Names left out: "*" and "?" against the whole name, case ignored unit by unit as the name
// order ignores it, a pattern typed in code page 932 meeting a name the file system spells.
#include <gtest/gtest.h>

#include <string>

#include "platform/WideText.h"
#include "sjis/Cp932.h"
#include "tree/NamePatterns.h"

namespace {

bool Matches(std::u16string_view pattern, std::u16string_view name) {
    NamePatterns patterns;
    patterns.Add(pattern);
    return patterns.Match(name);
}

// The wildcards at large are held against a reference by the fuzz target name_pattern.
TEST(NamePatternsTest, TheWholeNameIsMatchedAndOnlyHalfWidthWildcardsAreWild) {
    EXPECT_TRUE(Matches(u"*.txt", u".txt"));
    EXPECT_FALSE(Matches(u"*.txt", u"a.txt.bak"));
    EXPECT_FALSE(Matches(u"git", u".git"));
    EXPECT_FALSE(Matches(u"a?c", u"ac"));
    EXPECT_TRUE(Matches(u"a*b", u"abxb"));  // the star gives back the last "b"
    EXPECT_FALSE(Matches(u"", u"a"));
    EXPECT_TRUE(Matches(u"a＊", u"a＊"));
    EXPECT_FALSE(Matches(u"a＊", u"ab"));
    EXPECT_FALSE(Matches(u"？", u"a"));
}

TEST(NamePatternsTest, CaseIsIgnoredUnitByUnitAsTheNameOrderIgnoresIt) {
    EXPECT_TRUE(Matches(u"NODE_MODULES", u"node_modules"));
    EXPECT_TRUE(Matches(u"*.tmp", u"CACHE.TMP"));
    EXPECT_TRUE(Matches(u"ａｂｃ", u"ＡＢＣ"));  // full-width letters have simple upper cases
    EXPECT_TRUE(Matches(u"σοφία", u"ΣΟΦΊΑ"));
    EXPECT_TRUE(Matches(u"привет", u"ПРИВЕТ"));
    // Only one unit for one unit: "ß" has no single upper case, so "SS" is another name.
    EXPECT_FALSE(Matches(u"straße", u"STRASSE"));
    // Kana of the two kinds and the two widths are different characters.
    EXPECT_FALSE(Matches(u"あ", u"ア"));
    EXPECT_FALSE(Matches(u"ｱ", u"ア"));
}

TEST(NamePatternsTest, ASurrogatePairIsOneCharacter) {
    EXPECT_TRUE(Matches(u"?", u"😀"));
    EXPECT_FALSE(Matches(u"??", u"😀"));
    EXPECT_TRUE(Matches(u"a?b", u"a😀b"));
    EXPECT_TRUE(Matches(u"*?", u"😀"));
    EXPECT_FALSE(Matches(u"*??", u"😀"));
    EXPECT_TRUE(Matches(u"*??", u"x😀"));
    EXPECT_TRUE(Matches(u"😀*", u"😀😃"));
    // A lone surrogate, which a Windows name may hold, is one character of its own.
    EXPECT_TRUE(Matches(u"a?", std::u16string{u'a', char16_t(0xD800)}));
}

TEST(NamePatternsTest, AnyPatternOfTheListLeavesANameOut) {
    NamePatterns patterns;
    EXPECT_TRUE(patterns.Empty());
    EXPECT_FALSE(patterns.Match(u""));
    EXPECT_FALSE(patterns.Match(u"a"));
    patterns.Add(u".git");
    patterns.Add(u"*.o");
    EXPECT_FALSE(patterns.Empty());
    EXPECT_TRUE(patterns.Match(u".GIT"));
    EXPECT_TRUE(patterns.Match(u"main.O"));
    EXPECT_FALSE(patterns.Match(u"main.c"));
    // Lists are the same when their patterns are, whatever their case.
    NamePatterns same;
    same.Add(u".GIT");
    same.Add(u"*.O");
    EXPECT_EQ(patterns, same);
    same.Add(u"x");
    EXPECT_FALSE(patterns == same);
}

TEST(NamePatternsTest, APatternTypedInCodePage932MeetsTheNameTheFileSystemSpells) {
    // 写真* typed in the window; 写真2024 as Linux and Windows spell it (UTF-8).
    NamePatterns patterns;
    patterns.Add(sjis::ToUtf16("\x8E\xCA\x90\x5E*"));
    EXPECT_TRUE(patterns.Match(platform::Utf16FromNative("写真2024")));
    EXPECT_FALSE(patterns.Match(platform::Utf16FromNative("写2024")));
    // 表 (95 5C): its second byte is "\" and no separator; ﾃﾞ?ﾀ in half-width kana.
    NamePatterns kanji;
    kanji.Add(sjis::ToUtf16("\x95\x5C?"));
    kanji.Add(sjis::ToUtf16("\xC3\xDE?\xC0"));
    EXPECT_TRUE(kanji.Match(platform::Utf16FromNative("表a")));
    EXPECT_FALSE(kanji.Match(platform::Utf16FromNative("表")));
    EXPECT_TRUE(kanji.Match(platform::Utf16FromNative("ﾃﾞｰﾀ")));
    EXPECT_FALSE(kanji.Match(platform::Utf16FromNative("データ")));
    // Full-width Ａ typed meets a name with ａ: case is ignored beyond ASCII too.
    NamePatterns wide;
    wide.Add(sjis::ToUtf16("\x82\x60*"));
    EXPECT_TRUE(wide.Match(platform::Utf16FromNative("ａbc")));
}

}  // namespace
