// Drive letters from mount tables: recorded ones, small cases written inline, and the live one.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/posix/MountTable.h"
#include "platform/posix/PosixDriveSystem.h"

namespace {

using platform::DriveType;
using platform::posix::DrivesFromMountInfo;
using platform::posix::MountedDrive;
using platform::posix::MountEntry;

std::string Recorded(const std::string& name) {
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "mounts" / name;
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return text.str();
}

bool NeverRemovable(const MountEntry&) { return false; }

std::string Letters(const std::vector<MountedDrive>& drives) {
    std::string letters;
    for (const auto& drive : drives) letters += drive.letter;
    return letters;
}

TEST(MountTable, LaptopWithUsbStickDiscAndNfsShare) {
    int removableQueries = 0;
    const auto usbIsRemovable = [&](const MountEntry& mount) {
        ++removableQueries;
        return mount.major == 8 && mount.minor == 17;
    };
    const auto drives = DrivesFromMountInfo(Recorded("laptop.mountinfo"), usbIsRemovable);
    ASSERT_EQ(Letters(drives), "cdefghi");
    const std::pair<const char*, DriveType> expected[] = {{"/", DriveType::Fixed},
                                                          {"/home", DriveType::Fixed},
                                                          {"/boot/efi", DriveType::Fixed},
                                                          {"/tmp", DriveType::RamDisk},
                                                          {"/media/user/USB STICK", DriveType::Removable},
                                                          {"/media/user/DISC_2024", DriveType::CdRom},
                                                          {"/mnt/share", DriveType::Remote}};
    for (std::size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(drives[i].mount.mountPoint, expected[i].first) << drives[i].letter;
        EXPECT_EQ(drives[i].type, expected[i].second) << drives[i].letter;
    }
    EXPECT_EQ(drives[6].mount.source, "fileserver:/export/Share");
    // Network, RAM and optical file systems need no block device query.
    EXPECT_EQ(removableQueries, 4);
}

TEST(MountTable, ContainerWithOverlayRoot) {
    const auto drives = DrivesFromMountInfo(Recorded("container.mountinfo"), NeverRemovable);
    ASSERT_EQ(Letters(drives), "cd");
    EXPECT_EQ(drives[0].mount.mountPoint, "/");
    EXPECT_EQ(drives[0].mount.fsType, "overlay");
    EXPECT_EQ(drives[0].type, DriveType::Fixed);
    // The file binds (/etc/hosts ...) and the volume are views into the host's disk.
    EXPECT_EQ(drives[1].mount.mountPoint, "/scratch");
    EXPECT_EQ(drives[1].type, DriveType::RamDisk);
}

TEST(MountTable, MoreMountsThanLettersStopAtZ) {
    const auto drives = DrivesFromMountInfo(Recorded("machine30.mountinfo"), NeverRemovable);
    ASSERT_EQ(drives.size(), 24u);
    EXPECT_EQ(drives.front().letter, 'c');
    EXPECT_EQ(drives.back().letter, 'z');
    EXPECT_EQ(drives.back().mount.mountPoint, "/data23");
}

TEST(MountTable, RootIsCWhereverItStandsAndCoveredMountsAreGone) {
    const std::string table =
        "30 1 8:1 / /data rw - ext4 /dev/sda1 rw\n"
        "31 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "32 1 8:3 / /data rw - ext4 /dev/sda3 rw\n"       // covers the first /data
        "33 1 8:2 / /mnt/again rw - ext4 /dev/sda2 rw\n"  // the root once more
        "malformed line\n"
        "34 1 8:4 / /mnt/tab\\011and\\134slash rw shared:5 master:2 - xfs /dev/sda4 rw\n";
    const auto drives = DrivesFromMountInfo(table, NeverRemovable);
    ASSERT_EQ(Letters(drives), "cde");
    EXPECT_EQ(drives[0].mount.source, "/dev/sda2");
    EXPECT_EQ(drives[1].mount.source, "/dev/sda3");
    EXPECT_EQ(drives[2].mount.mountPoint, "/mnt/tab\tand\\slash");
}

TEST(MountTable, BtrfsSubvolumesAreDrivesButFoldersBoundFromThemAreNot) {
    const std::string table =
        "31 1 0:31 /@ / rw - btrfs /dev/sda2 rw,subvolid=256,subvol=/@\n"
        "32 31 0:31 /@home /home rw - btrfs /dev/sda2 rw,subvolid=257,subvol=/@home\n"
        "33 31 0:31 /@home/user/www /srv/www rw - btrfs /dev/sda2 rw,subvolid=257,subvol=/@home\n";
    const auto drives = DrivesFromMountInfo(table, NeverRemovable);
    ASSERT_EQ(Letters(drives), "cd");
    EXPECT_EQ(drives[1].mount.mountPoint, "/home");
}

TEST(MountTable, NetworkFileSystemsAreRemote) {
    const std::string table =
        "31 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "40 31 0:50 / /mnt/a rw - cifs //nas/Public rw\n"
        "41 31 0:51 / /mnt/b rw - fuse.sshfs me@host:/home/me rw\n"
        "42 31 0:52 / /mnt/c rw - 9p hostshare rw\n"
        "43 31 0:53 / /mnt/d rw - ramfs none rw\n"
        "44 31 11:0 / /mnt/e rw - udf /dev/sr0 rw\n";
    const auto drives = DrivesFromMountInfo(table, NeverRemovable);
    ASSERT_EQ(drives.size(), 6u);
    EXPECT_EQ(drives[1].type, DriveType::Remote);
    EXPECT_EQ(drives[2].type, DriveType::Remote);
    EXPECT_EQ(drives[3].type, DriveType::Remote);
    EXPECT_EQ(drives[4].type, DriveType::RamDisk);
    EXPECT_EQ(drives[5].type, DriveType::CdRom);
}

// The live table: a tmpfs this test mounts is the last drive, a RAM disk named by its mount point.
TEST(MountTableLive, MountedTmpfsIsTheLastDrive) {
    char folder[] = "/tmp/orvale-ram-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    if (mount("orvale-test", folder, "tmpfs", 0, "size=1m") != 0) {
        const std::string reason = std::strerror(errno);
        rmdir(folder);
        GTEST_SKIP() << "cannot mount a tmpfs here: " << reason;
    }
    platform::PosixDriveSystem drives;
    const std::uint32_t mask = drives.LogicalDrives();
    umount(folder);
    rmdir(folder);

    ASSERT_NE(mask, 0u);
    const char last = char('a' + 31 - __builtin_clz(mask));
    EXPECT_EQ(drives.TypeOf(last), DriveType::RamDisk);
    EXPECT_EQ(drives.VolumeLabel(last), std::string(folder));
    EXPECT_EQ(drives.NativeRoot(last), std::string(folder) + "/");
    EXPECT_EQ(drives.TypeOf('c'), drives.Drives().front().type);
    EXPECT_EQ(drives.NativeRoot('c'), "/");
}

TEST(MountTableLive, CurrentDirectoryIsInDriveLetterForm) {
    platform::PosixDriveSystem drives;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    const std::string atRoot = drives.CurrentDirectory();
    std::filesystem::current_path(previous);
    EXPECT_EQ(atRoot, "C:\\");
    const std::string here = drives.CurrentDirectory();
    ASSERT_GE(here.size(), 3u);
    EXPECT_TRUE(here[0] >= 'C' && here[0] <= 'Z') << here;
    EXPECT_EQ(here.substr(1, 2), ":\\");
    EXPECT_EQ(here.find('/'), std::string::npos) << here;
}

}  // namespace
