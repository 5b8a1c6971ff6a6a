// The order of names in a listing: that of an NTFS folder index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/NameOrder.h"

namespace {

using platform::CompareNames;

// Every pair of the list compares in the list's order, both ways round.
void ExpectOrder(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(CompareNames(names[i], names[i]), 0) << names[i];
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            EXPECT_LT(CompareNames(names[i], names[j]), 0) << names[i] << " before " << names[j];
            EXPECT_GT(CompareNames(names[j], names[i]), 0) << names[j] << " after " << names[i];
        }
    }
}

TEST(NameOrderTest, AsciiComparedUpperCasedPrefixFirstTiesByUnchangedUnits) {
    ExpectOrder({"ABC", "abc", "abd"});  // ABC = ABC < ABD; the tie: 'A' 0x41 < 'a' 0x61
    ExpectOrder({"AB", "abc", "ABD"});   // a prefix first; case matters only in a tie
    ExpectOrder({"ax", "Zx", "_x"});     // upper-cased: A 0x41 < Z 0x5A < _ 0x5F
    ExpectOrder({"README", "ReadMe", "Readme", "readme"});
    // The first unchanged unit that differs breaks the tie, wherever upper case went on.
    ExpectOrder({"AÉ", "Aé", "aÉ", "aé"});
}

TEST(NameOrderTest, WideLettersKanaKanjiAndSupplementaryCharactersByUtf16Unit) {
    // b 0x42 < Ａ 0xFF21 = upper(ａ 0xFF41) < Ｂ 0xFF22 = upper(ｂ 0xFF42): by unchanged
    // units ａ would follow Ｂ.
    ExpectOrder({"b", "Ａ", "ａ", "Ｂ", "ｂ"});
    ExpectOrder({"Ａｂ", "ａｚ"});  // FF21 FF22 < FF21 FF3A
    // z 0x5A, あ 0x3042, ア 0x30A2, 日 0x65E5, 😀 0xD83D 0xDE00, Ａ 0xFF21, ｱ 0xFF71:
    // by code point 😀 (U+1F600) would come last.
    ExpectOrder({"z", "あ", "ア", "日", "😀", "Ａ", "ｱ"});
    ExpectOrder({"日", "日本", "日本語"});
}

TEST(NameOrderTest, UpperCaseIsTheSimpleMappingOfEachUnit) {
    ExpectOrder({"I", "ı", "J"});   // dotless ı upper-cases to I and ties with it
    ExpectOrder({"ς", "σ", "Τ"});   // both sigmas upper-case to Σ 0x03A3 < Τ 0x03A4
    ExpectOrder({"Ā", "ÿ"});        // ÿ upper-cases to Ÿ 0x0178, after Ā 0x0100
    ExpectOrder({"ss", "à", "ß"});  // ß has no simple upper case: 0xDF stays, after À 0xC0
    EXPECT_EQ(platform::UpperCaseUnit(u'ａ'), u'Ａ');
    EXPECT_EQ(platform::UpperCaseUnit(u'µ'), u'Μ');  // micro sign to Greek capital mu
    EXPECT_EQ(platform::UpperCaseUnit(u'ǆ'), u'Ǆ');
    EXPECT_EQ(platform::UpperCaseUnit(u'ǅ'), u'Ǆ');
    for (char16_t unchanged : {u'A', u'あ', u'日', char16_t(0xD83D), char16_t(0xDE00), char16_t(0xFFFF)})
        EXPECT_EQ(platform::UpperCaseUnit(unchanged), unchanged) << int(unchanged);
}

TEST(NameOrderTest, NamesThatAreNotUtf8FollowByTheirBytes) {
    const std::vector<std::string> notUtf8 = {"a\x80",        "\xC0\x80",         "\xE3\x81",
                                              "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"};
    for (const std::string& name : notUtf8) EXPECT_FALSE(platform::IsUtf8(name)) << name;
    for (const char* name : {"", "a", "\xC2\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(platform::IsUtf8(name)) << name;
    std::vector<std::string> names = {"z", "\xF0\x9F\x98\x80", "ｱ"};
    names.insert(names.end(), notUtf8.begin(), notUtf8.end());
    ExpectOrder(names);
}

}  // namespace
