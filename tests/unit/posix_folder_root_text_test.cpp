// A chosen folder's root text: from recorded mount tables, and from the live machine
// through the drive system (links resolved, system areas and non-folders refused).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "drives/FolderRootText.h"
#include "platform/Platform.h"
#include "platform/posix/MountTable.h"
#include "sjis/Cp932.h"
#include "tree/NodePath.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"
#include "unit/support/TempFolder.h"

namespace {

using drives::DriveMount;
using drives::FolderRootText;

std::vector<DriveMount> RecordedDrives(const std::string& name) {
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "mounts" / name;
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<DriveMount> mounts;
    for (const auto& drive : platform::posix::DrivesFromMountInfo(text.str(), nullptr))
        mounts.push_back({drive.letter, drive.mount.mountPoint});
    return mounts;
}

TEST(FolderRootText, TheLongestListedMountPointHoldsTheFolder) {
    // c: "/", d: "/home", e: "/boot/efi", f: "/tmp", g: "/media/user/USB STICK", ...
    const std::vector<DriveMount> laptop = RecordedDrives("laptop.mountinfo");
    EXPECT_EQ(FolderRootText(laptop, "/"), "c:\\");
    EXPECT_EQ(FolderRootText(laptop, "/usr/share/doc"), "c:\\usr\\share\\doc\\");
    EXPECT_EQ(FolderRootText(laptop, "/home"), "d:\\");  // a mount point is its drive's root
    EXPECT_EQ(FolderRootText(laptop, "/home/me/写真"), "d:\\me\\写真\\");
    EXPECT_EQ(FolderRootText(laptop, "/homework/x"), "c:\\homework\\x\\");  // whole names only
    EXPECT_EQ(FolderRootText(laptop, "/boot/grub"), "c:\\boot\\grub\\");
    EXPECT_EQ(FolderRootText(laptop, "/boot/efi/EFI/debian"), "e:\\EFI\\debian\\");
    EXPECT_EQ(FolderRootText(laptop, "/media/user/USB STICK/photos"), "g:\\photos\\");
    // The bind mount of a folder at /srv/projects is no drive: the folder is on c:.
    EXPECT_EQ(FolderRootText(laptop, "/srv/projects/orvale"), "c:\\srv\\projects\\orvale\\");
}

TEST(FolderRootText, NestedMountsTrailingSlashesAndNoDrive) {
    const std::vector<DriveMount> nested = {{'c', "/"}, {'e', "/media/usb"}, {'f', "/media/usb/inner"}};
    EXPECT_EQ(FolderRootText(nested, "/media/usb/photos/"), "e:\\photos\\");
    EXPECT_EQ(FolderRootText(nested, "/media/usb/inner//deep"), "f:\\deep\\");
    EXPECT_EQ(FolderRootText(nested, "/media/usbx"), "c:\\media\\usbx\\");
    EXPECT_EQ(FolderRootText({{'d', "/data"}}, "/elsewhere"), std::nullopt);
    EXPECT_EQ(FolderRootText({{'d', "/data"}}, "relative/path"), std::nullopt);
}

TEST(FolderRootText, CodePage932SpellingKeepsNodePathWorking) {
    const std::vector<DriveMount> machine = {{'c', "/"}};
    // 表 ends in the byte 5C: the root's own "\" still follows it, and the path below it too.
    const std::string root = sjis::FromUtf8(*FolderRootText(machine, "/home/資料表"));
    EXPECT_EQ(root, "c:\\home\\\x8E\x91\x97\xBF\x95\x5C\\");
    TTreeNodes nodes;
    TTreeNode* top = nodes.AppendChild(nullptr, root);
    nodes.AppendChild(top, "sub");
    EXPECT_EQ(NodePath(nodes, 1), root + "sub\\");
    // What code page 932 cannot spell reads "?", as any name does.
    EXPECT_EQ(sjis::FromUtf8(*FolderRootText(machine, "/home/caf\xC3\xA9")), "c:\\home\\caf?\\");
}

TEST(FolderScanRoot, LinksResolvedSystemAreasFilesAndMissingPathsRefused) {
    platform::Platform& os = platform::NativePlatform();
    TempFolder folder;
    std::filesystem::create_directories(folder / "real/inner");
    std::filesystem::create_directory_symlink(folder / "real", folder / "link");
    TempFolder::Write(folder / "file.txt", "x");
    const std::string real = std::filesystem::canonical(folder / "real").string();

    const std::optional<ScanRoot> linked = FolderScanRoot(os, folder / "link");
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->nativePath, real + "/");
    const std::optional<ScanRoot> direct = FolderScanRoot(os, real);
    ASSERT_TRUE(direct);
    EXPECT_EQ(linked->text, direct->text);
    EXPECT_EQ(linked->letter, direct->letter);
    EXPECT_EQ(linked->text.substr(1, 2), ":\\");
    EXPECT_TRUE(sjis::EndsWithSeparator(linked->text));
    EXPECT_NE(linked->text.find("real\\"), std::string::npos);

    // A relative path is taken from the current folder.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(real);
    const std::optional<ScanRoot> relative = FolderScanRoot(os, "inner");
    std::filesystem::current_path(before);
    ASSERT_TRUE(relative);
    EXPECT_EQ(relative->nativePath, real + "/inner/");

    EXPECT_FALSE(FolderScanRoot(os, folder / "file.txt"));
    EXPECT_FALSE(FolderScanRoot(os, folder / "missing"));
    EXPECT_FALSE(FolderScanRoot(os, ""));
    for (const char* area : {"/proc", "/proc/self", "/sys/kernel", "/dev", "/run"})
        EXPECT_FALSE(FolderScanRoot(os, area)) << area;
    ASSERT_TRUE(FolderScanRoot(os, "/"));
    EXPECT_EQ(FolderScanRoot(os, "/")->text, "c:\\");
}

}  // namespace
