#include "save/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "save/SaveError.h"
#include "save/TextFile.h"
#include "sjis/Cp932.h"
#include "unit/support/SmallDisk.h"
#include "unit/support/TempFolder.h"

namespace {

using save::AtomicFile;
using save::SavePath;

const std::string kOld = "old content\r\n";

bool Saves(const std::string& native, const std::string& bytes) {
    try {
        save::WriteTextFile(SavePath::FromNative(native), bytes);
        return true;
    } catch (const save::SaveError&) {
        return false;
    }
}

class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : saved_(umask(mask)) {}
    ~UmaskScope() { umask(saved_); }

private:
    mode_t saved_;
};

TEST(AtomicFile, NewFileTakesTheUsualModeAndReplacingKeepsTheOldOne) {
    TempFolder folder;
    {
        UmaskScope mask(027);
        ASSERT_TRUE(Saves(folder / "new.txt", "a"));
    }
    EXPECT_EQ(TempFolder::Mode(folder / "new.txt"), 0640u);

    TempFolder::Write(folder / "private.txt", kOld);
    chmod((folder / "private.txt").c_str(), 0600);
    ASSERT_TRUE(Saves(folder / "private.txt", "new"));
    EXPECT_EQ(TempFolder::Read(folder / "private.txt"), "new");
    EXPECT_EQ(TempFolder::Mode(folder / "private.txt"), 0600u);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"new.txt", "private.txt"}));
}

TEST(AtomicFile, FileWithoutWriteBitsStaysEvenForRoot) {
    TempFolder folder;
    for (mode_t mode : {0444, 0400, 0}) {
        const std::string target = folder / "locked.txt";
        TempFolder::Write(target, kOld);
        chmod(target.c_str(), mode);
        EXPECT_FALSE(Saves(target, "new")) << std::oct << mode;
        EXPECT_EQ(TempFolder::Read(target), kOld);
        EXPECT_EQ(TempFolder::Mode(target), mode);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"locked.txt"});
        std::filesystem::remove(target);
    }
}

TEST(AtomicFile, FolderNameMissingFolderAndOverlongNameFailWithoutWriting) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "memo.txt");
    TempFolder::Write(folder / "memo.txt/inside", kOld);
    EXPECT_FALSE(Saves(folder / "memo.txt", "new"));
    EXPECT_EQ(TempFolder::NamesIn(folder / "memo.txt"), std::set<std::string>{"inside"});
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt/inside"), kOld);

    EXPECT_FALSE(Saves(folder / "missing/memo.txt", "new"));
    EXPECT_FALSE(Saves(folder / "memo.txt/inside/x.txt", "new"));  // a file used as a folder

    // A name of 259 bytes and more whose last part exceeds what Linux allows in one name.
    for (std::size_t length : {256u, 259u, 300u}) {
        EXPECT_FALSE(Saves(folder / std::string(length, 'a'), "new")) << length;
    }
    EXPECT_FALSE(Saves("", "new"));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
}

TEST(AtomicFile, LongFullNameWithShortPartsIsWritten) {
    // Linux takes paths far beyond 259 bytes; only the named file is written.
    TempFolder folder;
    std::string path = folder.Path();
    for (int i = 0; i < 3; ++i) {
        path += "/" + std::string(90, char('p' + i));
        std::filesystem::create_directory(path);
    }
    const std::string target = path + "/memo.txt";
    ASSERT_GT(target.size(), 259u);
    ASSERT_TRUE(Saves(target, "x"));
    EXPECT_EQ(TempFolder::NamesIn(path), std::set<std::string>{"memo.txt"});
}

TEST(AtomicFile, NameCodePage932CannotSpellKeepsItsRealSpelling) {
    TempFolder folder;
    const std::string real = "memo\u2713\uD55C\u00E9.txt";  // check mark, Hangul, e acute
    const SavePath path = SavePath::FromNative(folder / real);
    EXPECT_NE(path.name.find('?'), std::string::npos);  // shown with "?" ...
    save::WriteTextFile(path, "x");
    EXPECT_EQ(folder.Names(), std::set<std::string>{real});  // ... but written under its name
    EXPECT_EQ(TempFolder::Read(folder / real), "x");
}

TEST(AtomicFile, SymbolicLinkKeepsPointingAtTheReplacedFile) {
    TempFolder folder;
    TempFolder::Write(folder / "real.txt", kOld);
    std::filesystem::create_symlink("real.txt", folder / "link.txt");
    ASSERT_TRUE(Saves(folder / "link.txt", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(TempFolder::Read(folder / "real.txt"), "new");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"link.txt", "real.txt"}));
}

TEST(AtomicFile, InjectedFailureAtAnyPointLeavesTheOldFileAndNothingElse) {
    TempFolder folder;
    const std::string target = folder / "memo.txt";
    // Large enough to pass through the buffer and straight writes.
    std::string text;
    while (text.size() < 200000) text += "\x84\xA3 folder " + std::to_string(text.size()) + "\r\n";
    for (std::int64_t writable : {0, 1, 4095, 65535, 65536, 131073, 199999}) {
        TempFolder::Write(target, kOld);
        AtomicFile::ScopedFaults faults({writable, false, false});
        EXPECT_FALSE(Saves(target, text)) << writable;
        EXPECT_EQ(TempFolder::Read(target), kOld) << writable;
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"}) << writable;
    }
    for (AtomicFile::Faults fault : {AtomicFile::Faults{-1, true, false}, AtomicFile::Faults{-1, false, true}}) {
        AtomicFile::ScopedFaults faults(fault);
        EXPECT_FALSE(Saves(target, text));
        EXPECT_FALSE(Saves(folder / "fresh.txt", text));
        EXPECT_EQ(TempFolder::Read(target), kOld);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    }
    ASSERT_TRUE(Saves(target, text));  // the faults end with their scope
    EXPECT_EQ(TempFolder::Read(target), text);
}

TEST(AtomicFile, UncommittedFileIsRemoved) {
    TempFolder folder;
    TempFolder::Write(folder / "memo.txt", kOld);
    {
        AtomicFile file(SavePath::FromNative(folder / "memo.txt"));
        file.Write("partial");
        EXPECT_EQ(folder.Names().size(), 2u);
    }
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.txt"});
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kOld);
}

TEST(AtomicFile, FullDiskLeavesTheOldFileAndNothingElse) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN)";
    const std::string big(200 * 1024, 'x');
    EXPECT_FALSE(Saves(disk / "fresh.txt", big));
    EXPECT_TRUE(disk.Names().empty());

    TempFolder::Write(disk / "memo.txt", kOld);
    EXPECT_FALSE(Saves(disk / "memo.txt", big));
    EXPECT_EQ(TempFolder::Read(disk / "memo.txt"), kOld);
    EXPECT_EQ(disk.Names(), std::set<std::string>{"memo.txt"});
    EXPECT_TRUE(Saves(disk / "memo.txt", "fits"));
    EXPECT_EQ(TempFolder::Read(disk / "memo.txt"), "fits");
}

}  // namespace
