// The Windows save dialog's settings that need no user to see: its file types, and what an
// accepted name leaves behind.
#include <gtest/gtest.h>

#include "save/win32/ScreenSaveDialog.h"

namespace {

TEST(SaveDialog, OffersTheTwoFileTypesInOrder) {
    static constexpr wchar_t kWanted[] =
        L"\u30C6\u30AD\u30B9\u30C8\u30D5\u30A1\u30A4\u30EB(*.txt)\0*.txt\0"  // テキストファイル
        L"HTML\u30D5\u30A1\u30A4\u30EB(*.htm)\0*.htm;*.html\0";
    // The literal's own terminating NUL is the list's closing one.
    EXPECT_EQ(ScreenSaveDialog::FilterPairs(), std::wstring(kWanted, std::size(kWanted)));
}

TEST(SaveDialog, ReturnedNameIsShownInCodePage932AndSpelledAsTheFileSystemSpellsIt) {
    const save::SavePath path = ScreenSaveDialog::PathOf(L"C:\\\u8868\\memo");  // 表: second byte 0x5C
    EXPECT_EQ(path.name, "C:\\\x95\x5C\\memo");
    EXPECT_EQ(path.native, "C:\\\xE8\xA1\xA8\\memo");
    // A name code page 932 cannot spell keeps its real spelling.
    const save::SavePath emoji = ScreenSaveDialog::PathOf(L"C:\\\U0001F600.txt");
    EXPECT_EQ(emoji.name, "C:\\?.txt");
    EXPECT_EQ(emoji.native, "C:\\\xF0\x9F\x98\x80.txt");
}

}  // namespace
