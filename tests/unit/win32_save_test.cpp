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

DWORD Attributes(const std::string& path) { return GetFileAttributesW(LongWide(path).c_str()); }

TEST(Win32Save, ReplacesAnExistingFileKeepingItsHiddenBit) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    TempFolder::Write(target, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(LongWide(target).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Saves(target, "new"));
    EXPECT_EQ(TempFolder::Read(target), "new");
    EXPECT_TRUE(Attributes(target) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
}

TEST(Win32Save, ReadOnlyTargetAndFolderAreRefusedUntouched) {
    TempFolder folder;
    const std::string locked = folder / "locked.txt";
    TempFolder::Write(locked, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(LongWide(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Saves(locked, "new"));
    EXPECT_EQ(TempFolder::Read(locked), kOldContent);
    EXPECT_TRUE(Attributes(locked) & FILE_ATTRIBUTE_READONLY);

    const std::string memo = folder / "memo.txt";
    ASSERT_TRUE(CreateDirectoryW(LongWide(memo).c_str(), nullptr));
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

// A name code page 932 cannot spell is saved under that very name; what the program shows
// and judges is its code page 932 text.
TEST(Win32Save, NamesInEveryScriptAreWrittenUnderThoseNames) {
    TempFolder folder;
    const std::string inner = folder / "한글 表";
    ASSERT_TRUE(CreateDirectoryW(LongWide(inner).c_str(), nullptr));
    const std::string target = inner + "\\😀 メモ表.txt";
    const SavePath path = SavePath::FromNative(target);
    EXPECT_EQ(path.native, target);
    EXPECT_EQ(path.name.substr(path.name.size() - 13), "\\? \x83\x81\x83\x82\x95\x5C.txt");

    for (const std::string text : {"first", "second"}) {  // made, then replaced
        ASSERT_TRUE(Saves(target, text));
        EXPECT_EQ(TempFolder::Read(target), text);
        EXPECT_EQ(TempFolder::NamesIn(inner), std::set<std::string>{"😀 メモ表.txt"});
        EXPECT_EQ(folder.Names(), std::set<std::string>{"한글 表"});
    }
    EXPECT_TRUE(SavePath::FromNative(target).NamesExistingFile());
    EXPECT_FALSE(SavePath::FromNative(inner).NamesExistingFile());
}

// Far past the 260 characters of the plain calls: the file is written, and replaced again.
TEST(Win32Save, PathOfMoreThanFourHundredCharactersIsWritten) {
    TempFolder folder;
    std::string inner = folder.Path();
    for (int level = 0; level < 3; ++level) {
        inner += "\\" + std::string(120, char('p' + level));
        ASSERT_TRUE(CreateDirectoryW(LongWide(inner).c_str(), nullptr)) << "error " << GetLastError();
    }
    const std::string target = inner + "\\" + std::string(200, 'm') + "表.txt";
    ASSERT_GT(WideOf(target).size(), 560u);
    for (const std::string text : {"x", "yy"}) {
        ASSERT_TRUE(Saves(target, text));
        EXPECT_EQ(TempFolder::Read(target), text);
        EXPECT_EQ(TempFolder::NamesIn(inner), std::set<std::string>{std::string(200, 'm') + "表.txt"});
    }
    EXPECT_TRUE(SavePath::FromNative(target).NamesExistingFile());
}

// A relative name is taken from the current folder, "/" as "\\", and ".." takes the name
// before it away by the letter, as Windows does.
TEST(Win32Save, RelativeNameIsSavedFromTheCurrentFolder) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(LongWide(folder / "sub").c_str(), nullptr));
    wchar_t saved[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(WideOf(folder / "sub").c_str()));
    const bool saves = Saves("./../missing/../memo.txt", "relative");
    SetCurrentDirectoryW(saved);
    EXPECT_TRUE(saves);
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), "relative");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"memo.txt", "sub"}));
}

}  // namespace
