#include <gtest/gtest.h>

#include "dialogs/ErrorText.h"
#include "resources/Texts.h"

TEST(ErrorBoxText, AppendsAPeriodAfterLettersDigitsAndDoubleByteCharacters) {
    EXPECT_EQ(ErrorBoxText("Access denied"), "Access denied.");
    EXPECT_EQ(ErrorBoxText("code 42"), "code 42.");
    // "不正なインデックス" ends in a double-byte character.
    const std::string invalidIndex = texts::Cp932(texts::kInvalidIndex);
    EXPECT_EQ(ErrorBoxText(invalidIndex), invalidIndex + ".");
    // Full stop "。" is 81 42: its second byte 0x42 alone would not decide, its lead byte does.
    EXPECT_EQ(ErrorBoxText("\x81\x42"), "\x81\x42.");
}

TEST(ErrorBoxText, ComparesTheLastCharacterByByteValue) {
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("What?!"), "What?!");  // '!' is below '.'
    EXPECT_EQ(ErrorBoxText("Why?"), "Why?.");     // '?' is above it: the rule is by byte value
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText("a)"), "a)");
    EXPECT_EQ(ErrorBoxText(""), "");
}
