// Orvale.exe's command line.
#include <gtest/gtest.h>

#include "app/win32/CommandLine.h"

namespace {

TEST(CommandLine, OneFolderAtMostAndNoOptionsButHelp) {
    EXPECT_FALSE(ReadCommandLine({L"Orvale.exe"}).folder);
    const CommandLine folder = ReadCommandLine({L"Orvale.exe", L"C:\\\u30C7\u30FC\u30BF"});
    EXPECT_TRUE(folder.valid);
    EXPECT_EQ(folder.folder, "C:\\\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF");  // データ, natively UTF-8
    EXPECT_FALSE(ReadCommandLine({L"Orvale.exe", L"a", L"b"}).valid);
    EXPECT_FALSE(ReadCommandLine({L"Orvale.exe", L"--bogus"}).valid);
    EXPECT_TRUE(ReadCommandLine({L"Orvale.exe", L"/?"}).help);
    EXPECT_TRUE(ReadCommandLine({L"Orvale.exe", L"--help"}).help);
    const CommandLine dashed = ReadCommandLine({L"Orvale.exe", L"--", L"-folder"});
    EXPECT_TRUE(dashed.valid);
    EXPECT_EQ(dashed.folder, "-folder");
    EXPECT_EQ(ReadCommandLine({L"Orvale.exe", L"-"}).folder, "-") << "a lone dash is a name";
}

}  // namespace
