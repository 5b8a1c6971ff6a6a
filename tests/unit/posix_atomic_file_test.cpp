#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "save/SaveError.h"
#include "save/TextFile.h"
#include "unit/support/Saves.h"
#include "unit/support/SmallDisk.h"
#include "unit/support/TempFolder.h"

// What only Linux has: permission bits and owners, symbolic links, UTF-8 names, long paths, tmpfs.
namespace {

using save::SavePath;

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

    TempFolder::Write(folder / "private.txt", kOldContent);
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
        TempFolder::Write(target, kOldContent);
        chmod(target.c_str(), mode);
        EXPECT_FALSE(Saves(target, "new")) << std::oct << mode;
        EXPECT_EQ(TempFolder::Read(target), kOldContent);
        EXPECT_EQ(TempFolder::Mode(target), mode);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"locked.txt"});
        std::filesystem::remove(target);
    }
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
    TempFolder::Write(folder / "real.txt", kOldContent);
    std::filesystem::create_symlink("real.txt", folder / "link.txt");
    ASSERT_TRUE(Saves(folder / "link.txt", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(TempFolder::Read(folder / "real.txt"), "new");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"link.txt", "real.txt"}));
}

TEST(AtomicFile, FullDiskLeavesTheOldFileAndNothingElse) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN)";
    const std::string big(200 * 1024, 'x');
    EXPECT_FALSE(Saves(disk / "fresh.txt", big));
    EXPECT_TRUE(disk.Names().empty());

    TempFolder::Write(disk / "memo.txt", kOldContent);
    EXPECT_FALSE(Saves(disk / "memo.txt", big));
    EXPECT_EQ(TempFolder::Read(disk / "memo.txt"), kOldContent);
    EXPECT_EQ(disk.Names(), std::set<std::string>{"memo.txt"});
    EXPECT_TRUE(Saves(disk / "memo.txt", "fits"));
    EXPECT_EQ(TempFolder::Read(disk / "memo.txt"), "fits");
}

}  // namespace
