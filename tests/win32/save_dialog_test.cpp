// The Windows save dialog's settings that need no user to see: its file types, and what an
// accepted name leaves behind.
#include <gtest/gtest.h>

#include "save/win32/TSaveDialog.h"

namespace {

TEST(SaveDialog, OffersTheTwoFileTypesInOrder) {
    static constexpr wchar_t kWanted[] =
        L"\u30C6\u30AD\u30B9\u30C8\u30D5\u30A1\u30A4\u30EB(*.txt)\0*.txt\0"  // テキストファイル
        L"HTML\u30D5\u30A1\u30A4\u30EB(*.htm)\0*.htm;*.html\0";
    // The literal's own terminating NUL is the list's closing one.
    EXPECT_EQ(TSaveDialog::FilterSpec(), std::wstring(kWanted, std::size(kWanted)));
}

TEST(SaveDialog, AcceptedNameIsKeptAsReturnedInBothSpellings) {
    TSaveDialog dialog;
    EXPECT_EQ(dialog.FilterIndex, 1);
    dialog.Accept(L"C:\\\u8868\\memo", 2);  // 表: second byte 0x5C
    EXPECT_EQ(dialog.FileName, "C:\\\x95\x5C\\memo");
    EXPECT_EQ(dialog.NativeFileName, "C:\\\xE8\xA1\xA8\\memo");
    EXPECT_EQ(dialog.FilterIndex, 2);
    dialog.Accept(L"C:\\x.txt", 0);
    EXPECT_EQ(dialog.FilterIndex, 2) << "no type reported keeps the last one";
    EXPECT_EQ(dialog.Path().name, "C:\\x.txt");
}

}  // namespace
