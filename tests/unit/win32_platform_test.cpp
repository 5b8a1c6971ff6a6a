// The Windows the program runs on (Wine in the test suite): ANSI code page 932, and what its
// listings report.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Attributes.h"
#include "platform/Platform.h"
#include "unit/support/Win32TempFolder.h"

namespace {

struct RawEntry {
    std::string name;
    DWORD attributes;
};

// Everything FindFirstFileA/FindNextFileA give for a folder, unfiltered, in their order.
std::vector<RawEntry> RawListing(const std::string& folder) {
    std::vector<RawEntry> out;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back({data.cFileName, data.dwFileAttributes});
    while (FindNextFileA(h, &data));
    FindClose(h);
    return out;
}

const RawEntry* Find(const std::vector<RawEntry>& entries, const std::string& name) {
    for (const auto& e : entries)
        if (e.name == name) return &e;
    return nullptr;
}

TEST(Win32World, AnsiCodePageIs932) {
    EXPECT_EQ(GetACP(), 932u);
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(info.MaxCharSize, 2u);
    EXPECT_TRUE(IsDBCSLeadByte(0x95));
    EXPECT_FALSE(IsDBCSLeadByte(0x5C));
}

// Wine takes a folder's read-only bit (SetFileAttributesA succeeds) but never reports it
// back, where Windows does; the listing has to keep such a folder either way.
TEST(Win32World, FindFirstFileReportsHiddenAndSystemBits) {
    Win32TempFolder temp;
    ASSERT_TRUE(temp.ok());
    temp.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("System", FILE_ATTRIBUTE_SYSTEM);
    temp.Folder("ReadOnly", FILE_ATTRIBUTE_READONLY);

    auto all = RawListing(temp.path());
    ASSERT_NE(Find(all, "Hidden"), nullptr);
    ASSERT_NE(Find(all, "System"), nullptr);
    ASSERT_NE(Find(all, "ReadOnly"), nullptr);
    EXPECT_TRUE(Find(all, "Hidden")->attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(Find(all, "System")->attributes & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(Find(all, "ReadOnly")->attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Find(all, "ReadOnly")->attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST(Win32World, TheProgramsPlatformIsTheWindowsOne) {
    platform::Platform& native = platform::Current();
    EXPECT_TRUE(native.drives.LogicalDrives() & 0x4);  // c:
    EXPECT_EQ(native.drives.TypeOf('c'), platform::DriveType::Fixed);
    ASSERT_TRUE(native.files.Attributes(native.drives.NativeRoot('c')).has_value());
    EXPECT_TRUE(*native.files.Attributes("c:\\") & platform::faDirectory);
    EXPECT_FALSE(native.desktop.EscapeDown());  // nobody holds a key during the test run
}

}  // namespace
