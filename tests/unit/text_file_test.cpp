#include "save/TextFile.h"

#include <gtest/gtest.h>

#include "doubles/FaultySaves.h"

#include <initializer_list>
#include <set>
#include <string>

#include "save/AtomicFile.h"
#include "save/SaveError.h"
#include "unit/support/Bytes.h"
#include "unit/support/TempFolder.h"

namespace {

using save::SavePath;

const std::string kExample = Bytes({0x63, 0x3A, 0x5C, 0x0D, 0x0A, 0x84, 0xAF, 0x20, 0x41, 0x26, 0x42, 0x0D, 0x0A});

TEST(TextFile, WritesTheTextExactlyAsHeld) {
    TempFolder folder;
    save::WriteTextFile(SavePath::FromNative(folder / "a.txt"), kExample);
    EXPECT_EQ(TempFolder::Read(folder / "a.txt"), kExample);  // 13 bytes

    // Without the last line break, nothing is added.
    save::WriteTextFile(SavePath::FromNative(folder / "b.txt"), kExample.substr(0, 11));
    EXPECT_EQ(TempFolder::Read(folder / "b.txt"), kExample.substr(0, 11));

    const std::string longLine = std::string(5000, 'x') + "\r\n";
    save::WriteTextFile(SavePath::FromNative(folder / "c.txt"), longLine);
    EXPECT_EQ(TempFolder::Read(folder / "c.txt"), longLine);

    save::WriteTextFile(SavePath::FromNative(folder / "d.txt"), "");
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "d.txt"));
    EXPECT_EQ(std::filesystem::file_size(folder / "d.txt"), 0u);
}

TEST(TextFile, ReplacesAWritableFileAndKeepsItOnFailure) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    TempFolder::Write(target, "previous, longer content\r\n");
    save::WriteTextFile(SavePath::FromNative(target), "new");
    EXPECT_EQ(TempFolder::Read(target), "new");

    for (std::int64_t writable = 0; writable <= 13; ++writable) {
        platform::ScopedSaveFaults faults({writable, writable == 13, false});
        EXPECT_THROW(save::WriteTextFile(SavePath::FromNative(target), kExample), save::SaveError);
        EXPECT_EQ(TempFolder::Read(target), "new");
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    }
}

TEST(TextFile, PiecesMadeWhileWritingGoOutInOrderAndAFailureKeepsTheOldFile) {
    TempFolder folder;
    const std::string target = folder / "tree.txt";
    // Far more than the buffer holds, in pieces both smaller and larger than it.
    std::string expected;
    save::WriteTextFile(SavePath::FromNative(target), [&](const auto& write) {
        for (int i = 0; i < 2000; ++i) {
            const std::string piece(std::size_t(i % 7 == 0 ? 70000 : i), char('a' + i % 26));
            write(piece);
            expected += piece;
        }
    });
    EXPECT_EQ(TempFolder::Read(target), expected);

    struct Stop {};
    EXPECT_THROW(save::WriteTextFile(SavePath::FromNative(target),
                                     [](const auto& write) {
                                         write(std::string(200000, 'x'));
                                         throw Stop{};
                                     }),
                 Stop);
    EXPECT_EQ(TempFolder::Read(target), expected);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"tree.txt"});
}

}  // namespace
