#include "save/AtomicFile.h"

#include <gtest/gtest.h>

#include "doubles/FaultySaves.h"

#include <filesystem>
#include <set>
#include <string>

#include "save/SaveError.h"
#include "save/TextFile.h"
#include "unit/support/Saves.h"
#include "unit/support/TempFolder.h"

namespace {

using save::AtomicFile;
using save::SavePath;

TEST(AtomicFile, FolderNameMissingFolderAndOverlongNameFailWithoutWriting) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "memo.txt");
    TempFolder::Write(folder / "memo.txt/inside", kOldContent);
    EXPECT_FALSE(Saves(folder / "memo.txt", "new"));
    EXPECT_EQ(TempFolder::NamesIn(folder / "memo.txt"), std::set<std::string>{"inside"});
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt/inside"), kOldContent);

    EXPECT_FALSE(Saves(folder / "missing/memo.txt", "new"));
    EXPECT_FALSE(Saves(folder / "memo.txt/inside/x.txt", "new"));  // a file used as a folder

    // Names of 259 bytes and more: one part too long for Linux, the whole too long for Windows.
    for (std::size_t length : {256u, 259u, 300u}) {
        EXPECT_FALSE(Saves(folder / std::string(length, 'a'), "new")) << length;
    }
    EXPECT_FALSE(Saves("", "new"));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
}

TEST(AtomicFile, InjectedFailureAtAnyPointLeavesTheOldFileAndNothingElse) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    // Large enough to pass through the buffer and straight writes.
    std::string text;
    while (text.size() < 200000) text += "\x84\xA3 folder " + std::to_string(text.size()) + "\r\n";
    for (std::int64_t writable : {0, 1, 4095, 65535, 65536, 131073, 199999}) {
        TempFolder::Write(target, kOldContent);
        platform::ScopedSaveFaults faults({writable, false, false});
        EXPECT_FALSE(Saves(target, text)) << writable;
        EXPECT_EQ(TempFolder::Read(target), kOldContent) << writable;
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"}) << writable;
    }
    for (platform::SaveFaults fault : {platform::SaveFaults{-1, true, false}, platform::SaveFaults{-1, false, true}}) {
        platform::ScopedSaveFaults faults(fault);
        EXPECT_FALSE(Saves(target, text));
        EXPECT_FALSE(Saves(folder / "fresh.txt", text));
        EXPECT_EQ(TempFolder::Read(target), kOldContent);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    }
    ASSERT_TRUE(Saves(target, text));  // the faults end with their scope
    EXPECT_EQ(TempFolder::Read(target), text);
}

TEST(AtomicFile, UncommittedFileIsRemoved) {
    TempFolder folder;
    TempFolder::Write(folder / "memo.txt", kOldContent);
    {
        AtomicFile file(SavePath::FromNative(folder / "memo.txt"));
        file.Write("partial");
        EXPECT_EQ(folder.Names().size(), 2u);
    }
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kOldContent);
}

}  // namespace
