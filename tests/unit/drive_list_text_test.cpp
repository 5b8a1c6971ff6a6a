// Item texts of the drive list, over scripted drives.
#include <gtest/gtest.h>

#include "doubles/FakeDriveSystem.h"
#include "drives/DriveListText.h"
#include "sjis/Cp932.h"

namespace {

using drives::DriveItem;
using drives::DriveItems;
using drives::DrivePicture;
using platform::DriveType;
using platform::FakeDriveSystem;

TEST(DriveListText, FixedAndNotReadyDrivesAndUntouchedRemovable) {
    FakeDriveSystem fake;
    fake.Add('a', DriveType::Removable, "FLOPPYDISK");
    fake.Add('c', DriveType::Fixed, "WinSys");
    fake.Add('e', DriveType::CdRom, std::nullopt);  // not ready: the label cannot be read
    fake.Add('r', DriveType::RamDisk, "RAMDISK");
    fake.Add('u', DriveType::Unknown, "X");
    const std::vector<DriveItem> items = DriveItems(fake);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "a:");
    EXPECT_EQ(items[0].picture, DrivePicture::Floppy);
    EXPECT_EQ(items[1].text, "c: [winsys]");
    EXPECT_EQ(items[1].picture, DrivePicture::Hard);
    EXPECT_EQ(items[2].text, "e: []");
    EXPECT_EQ(items[2].picture, DrivePicture::CdRom);
    EXPECT_EQ(items[3].text, "r: [ramdisk]");
    EXPECT_EQ(items[3].picture, DrivePicture::Ram);
    EXPECT_EQ(fake.drives[0].labelQueries, 0);
    EXPECT_EQ(fake.drives['u' - 'a'].labelQueries, 0);
}

TEST(DriveListText, DoubleByteLabelKeptWhileAsciiCapitalsGoSmall) {
    FakeDriveSystem fake;
    // Trail bytes look like ASCII ("`", "a", "[" and, in 0x83 0x41, a capital "A") and must survive.
    const std::string label = "DATA" + sjis::FromUtf8("ＡＢデータ") +
                              "\x83\x41"
                              "X";
    fake.Add('d', DriveType::Fixed, label);
    const std::string expected = "d: [data" + sjis::FromUtf8("ＡＢデータ") +
                                 "\x83\x41"
                                 "x]";
    EXPECT_EQ(DriveItems(fake).at(0).text, expected);
}

TEST(DriveListText, NetworkNameSmallWithoutBracketsOrFallsBackToLabel) {
    FakeDriveSystem fake;
    fake.Add('n', DriveType::Remote, "NetLabel");
    fake.drives['n' - 'a'].remoteName = "\\\\Server\\Share";
    fake.Add('o', DriveType::Remote, "Offline");
    const std::vector<DriveItem> items = DriveItems(fake);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "n: \\\\server\\share");
    EXPECT_EQ(items[0].picture, DrivePicture::Network);
    EXPECT_EQ(items[1].text, "o: [offline]");
}

TEST(DriveListText, AmpersandAndPercentPassThrough) {
    FakeDriveSystem fake;
    fake.Add('c', DriveType::Fixed, "R&D %s 100%");
    EXPECT_EQ(DriveItems(fake).at(0).text, "c: [r&d %s 100%]");
}

}  // namespace
