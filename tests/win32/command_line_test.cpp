// Orvale.exe's command line.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "app/win32/CommandLine.h"

namespace {

// The folder Orvale.exe takes from a whole command line, split by the system's own splitter.
std::optional<std::string> FolderOf(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(commandLine, &count);
    const std::vector<std::wstring> arguments(split, split + count);
    LocalFree(split);
    return ReadCommandLine(arguments).folder;
}

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

// Explorer's entry quotes the folder it passes ("%1"); a drive's is "D:\", whose backslash the
// splitter takes for an escape of the closing quote.
TEST(CommandLine, AQuotedFolderEndingInABackslashKeepsIt) {
    EXPECT_EQ(FolderOf(LR"(Orvale.exe "D:\")"), "D:\\");
    EXPECT_EQ(FolderOf(L"\"C:\\Program Files\\Orvale\\Orvale.exe\" \"E:\\\u5199\u771F \u30A2\u30EB\u30D0\u30E0\\\""),
              "E:\\\xE5\x86\x99\xE7\x9C\x9F \xE3\x82\xA2\xE3\x83\xAB\xE3\x83\x90\xE3\x83\xA0\\");  // 写真 アルバム
    EXPECT_EQ(FolderOf(LR"(Orvale.exe "D:\\")"), "D:\\") << "a doubled backslash is already one";
    EXPECT_EQ(FolderOf(LR"(Orvale.exe "D:\My Data")"), "D:\\My Data");
}

}  // namespace
