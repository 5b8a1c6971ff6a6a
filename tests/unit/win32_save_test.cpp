#include <windows.h>

#include <gtest/gtest.h>

#include "doubles/FaultySaves.h"

#include <set>
#include <string>

#include "save/AtomicFile.h"
#include "save/SaveError.h"
#include "save/SavePath.h"
#include "save/TextFile.h"
#include "unit/support/Saves.h"
#include "unit/support/TempFolder.h"

namespace {

using save::SavePath;

const std::string kHyo = "\x95\x5C";                     // 表: its second byte is a backslash
const std::string kMemoHyo = "\x83\x81\x83\x82" + kHyo;  // メモ表

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

TEST(Win32Save, ReplacesAnExistingFileKeepingItsHiddenBit) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    TempFolder::Write(target, kOldContent);
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Saves(target, "new"));
    EXPECT_EQ(TempFolder::Read(target), "new");
    EXPECT_TRUE(Attributes(target) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
}

TEST(Win32Save, ReadOnlyTargetAndFolderAreRefusedUntouched) {
    TempFolder folder;
    const std::string locked = folder / "locked.txt";
    TempFolder::Write(locked, kOldContent);
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Saves(locked, "new"));
    EXPECT_EQ(TempFolder::Read(locked), kOldContent);
    EXPECT_TRUE(Attributes(locked) & FILE_ATTRIBUTE_READONLY);

    const std::string memo = folder / "memo.txt";
    ASSERT_TRUE(CreateDirectoryA(memo.c_str(), nullptr));
    EXPECT_FALSE(Saves(memo, "new"));
    EXPECT_TRUE(Attributes(memo) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(TempFolder::NamesIn(memo).empty());
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"locked.txt", "memo.txt"}));
}

TEST(Win32Save, InjectedFailuresLeaveTheOldFileAndNoTemporaryOne) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    TempFolder::Write(target, kOldContent);
    for (const platform::SaveFaults fault :
         {platform::SaveFaults{5, false, false}, platform::SaveFaults{-1, true, false},
          platform::SaveFaults{-1, false, true}}) {
        platform::ScopedSaveFaults faults(fault);
        EXPECT_FALSE(Saves(target, "new content that does not fit"));
        EXPECT_EQ(TempFolder::Read(target), kOldContent);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    }
}

TEST(Win32Save, CodePage932NameEndingInABackslashByteIsWrittenUnderThatName) {
    TempFolder folder;
    const std::string inner = folder / kHyo;
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    const std::string target = inner + "\\" + kMemoHyo;
    const SavePath path = SavePath::FromNative(target);
    EXPECT_EQ(path.name, target);

    for (const std::string text : {"first", "second"}) {  // made, then replaced
        ASSERT_TRUE(Saves(target, text));
        WIN32_FIND_DATAA data{};
        const HANDLE find = FindFirstFileA(target.c_str(), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        FindClose(find);
        EXPECT_EQ(std::string(data.cFileName), kMemoHyo);
        EXPECT_EQ(data.nFileSizeLow, text.size());
        EXPECT_EQ(TempFolder::Read(target), text);
        EXPECT_EQ(TempFolder::NamesIn(inner), std::set<std::string>{kMemoHyo});
        EXPECT_EQ(folder.Names(), std::set<std::string>{kHyo});
    }
}

TEST(Win32Save, NameOfTheFullLengthWithAShortLastPartIsWritten) {
    // 259 bytes in all, the last part ending in 表: the usual temporary name would not fit beside it.
    TempFolder folder;
    constexpr std::size_t kFolderLength = 247;  // CreateDirectoryA takes up to 248
    std::string inner = folder.Path();
    while (inner.size() < kFolderLength) {
        const std::size_t left = kFolderLength - inner.size();
        inner += "\\" + std::string(left > 150 ? 100 : left - 1, 'p');
        ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr)) << inner.size() << " error " << GetLastError();
    }
    ASSERT_EQ(inner.size(), kFolderLength);
    const std::string target = inner + "\\" + std::string(259 - 1 - kFolderLength - kHyo.size(), 'm') + kHyo;
    ASSERT_EQ(target.size(), 259u);
    ASSERT_TRUE(Saves(target, "x"));
    EXPECT_EQ(TempFolder::Read(target), "x");
    EXPECT_EQ(TempFolder::NamesIn(inner), std::set<std::string>{target.substr(kFolderLength + 1)});
}

}  // namespace
