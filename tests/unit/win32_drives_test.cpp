// The drives of the test's Wine prefix (made by tests/wine/add-drives.sh): c: labelled
// WinSys, d: fixed with a label in kanji and ASCII capitals, e: an empty CD-ROM drive,
// f: removable, n: a network drive not connected to a share, r: a RAM disk, z: fixed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drives/DriveListText.h"
#include "platform/win32/Win32DriveSystem.h"

namespace {

using drives::DrivePicture;
using platform::DriveType;

std::uint32_t Bit(char letter) { return 1u << (letter - 'a'); }

// The label of d: as code page 932 bytes: the kanji "Japan", then ASCII.
const std::string kJapanDisk =
    "\x93\xFA\x96\x7B"
    "Disk";

struct Win32Drives : ::testing::Test {
    platform::Win32DriveSystem drives;
};

TEST_F(Win32Drives, MaskAndTypesOfThePrefix) {
    const std::uint32_t mask = drives.LogicalDrives();
    for (char letter : std::string("cdefnrz")) EXPECT_TRUE(mask & Bit(letter)) << letter;
    EXPECT_FALSE(mask & Bit('a'));
    EXPECT_FALSE(mask & Bit('q'));

    EXPECT_EQ(drives.TypeOf('c'), DriveType::Fixed);
    EXPECT_EQ(drives.TypeOf('d'), DriveType::Fixed);
    EXPECT_EQ(drives.TypeOf('e'), DriveType::CdRom);
    EXPECT_EQ(drives.TypeOf('f'), DriveType::Removable);
    EXPECT_EQ(drives.TypeOf('n'), DriveType::Remote);
    EXPECT_EQ(drives.TypeOf('r'), DriveType::RamDisk);
    EXPECT_EQ(drives.TypeOf('q'), DriveType::NoRootDir);
}

TEST_F(Win32Drives, LabelsArriveAsCodePage932Bytes) {
    EXPECT_EQ(drives.VolumeLabel('c'), std::optional<std::string>("WinSys"));
    EXPECT_EQ(drives.VolumeLabel('d'), std::optional<std::string>(kJapanDisk));
    // Windows fails for an empty CD-ROM drive; Wine reports an empty label. Both read "[]".
    EXPECT_EQ(drives.VolumeLabel('e').value_or(""), "");
    EXPECT_EQ(drives.RemoteName('n'), std::nullopt);
    EXPECT_EQ(drives.RemoteName('c'), std::nullopt);
}

TEST_F(Win32Drives, LabelQueryRestoresTheErrorModeItFound) {
    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    drives.VolumeLabel('e');
    drives.VolumeLabel('q');
    EXPECT_EQ(GetErrorMode(), UINT(SEM_NOGPFAULTERRORBOX));
    SetErrorMode(before);
}

TEST_F(Win32Drives, ItemTextsOfTheDriveList) {
    std::vector<std::string> texts;
    std::vector<DrivePicture> pictures;
    for (const auto& item : drives::DriveItems(drives)) {
        texts.push_back(item.text);
        pictures.push_back(item.picture);
    }
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], "c: [winsys]");
    EXPECT_EQ(texts[1],
              "d: [\x93\xFA\x96\x7B"
              "disk]");  // kanji kept, ASCII capitals made small
    EXPECT_EQ(texts[2], "e: []");
    EXPECT_EQ(texts[3], "f:");
    EXPECT_EQ(texts[4], "n: [share]");  // no remote name: the volume label stands in
    EXPECT_EQ(texts[5], "r: []");
    EXPECT_EQ(texts[6].substr(0, 4), "z: [");
    EXPECT_EQ(pictures, (std::vector<DrivePicture>{DrivePicture::Hard, DrivePicture::Hard, DrivePicture::CdRom,
                                                   DrivePicture::Floppy, DrivePicture::Network, DrivePicture::Ram,
                                                   DrivePicture::Hard}));
}

TEST_F(Win32Drives, CurrentDirectoryAndRoots) {
    char saved[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    EXPECT_EQ(drives.CurrentDirectory(), "C:\\windows");
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(drives.CurrentDirectory(), saved);

    EXPECT_EQ(drives.NativeRoot('c'), "c:\\");
    EXPECT_EQ(drives.NativeRoot('z'), "z:\\");
}

}  // namespace

namespace {

// A chosen folder's root text on Windows: its full path with a small drive letter.
TEST_F(Win32Drives, AFolderLiesOnItsDriveAsItsFullPath) {
    CreateDirectoryA("D:\\Photos", nullptr);
    CreateDirectoryA("D:\\Photos\\\x8E\x91\x97\xBF\x95\x5C", nullptr);  // 資料表: its last byte is 5C
    const std::optional<platform::FolderPlace> photos = drives.Locate("D:\\Photos");
    ASSERT_TRUE(photos);
    EXPECT_EQ(photos->letter, 'd');
    EXPECT_EQ(photos->rootText, "d:\\Photos\\");
    EXPECT_EQ(photos->nativePath, "d:\\Photos\\");

    ASSERT_TRUE(SetCurrentDirectoryA("d:\\Photos"));
    const std::optional<platform::FolderPlace> table = drives.Locate("\x8E\x91\x97\xBF\x95\x5C");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rootText, "d:\\Photos\\\x8E\x91\x97\xBF\x95\x5C\\");
    EXPECT_EQ(drives.Locate("d:\\")->rootText, "d:\\");
    EXPECT_FALSE(drives.Locate("d:\\Photos\\missing"));
    EXPECT_FALSE(drives.Locate(""));
    SetCurrentDirectoryA("c:\\");
}

}  // namespace
