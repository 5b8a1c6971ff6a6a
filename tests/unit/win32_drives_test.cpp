// The drives of the test's Wine prefix (made by tests/wine/setup-prefix.sh): c: labelled
// WinSys, d: fixed with a label in kanji and ASCII capitals, e: an empty CD-ROM drive,
// f: removable, n: a network drive not connected to a share, r: a RAM disk, z: fixed; and
// the share \\orvale\share, which is d:'s folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drives/DriveListText.h"
#include "platform/Platform.h"
#include "platform/win32/Win32DriveSystem.h"
#include "tree/FolderScan.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"
#include "unit/support/Win32TempFolder.h"

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

// Puts the process in a folder for the life of the object.
class InFolder {
public:
    explicit InFolder(const wchar_t* folder) : saved_(CurrentFolder()) {
        EXPECT_TRUE(SetCurrentDirectoryW(folder)) << GetLastError();
    }
    ~InFolder() { SetCurrentDirectoryW(saved_.c_str()); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

    static std::wstring CurrentFolder() {
        wchar_t folder[MAX_PATH + 1] = {};
        GetCurrentDirectoryW(MAX_PATH + 1, folder);
        return folder;
    }

private:
    std::wstring saved_;
};

TEST_F(Win32Drives, CurrentDirectoryAndRoots) {
    {
        const InFolder windows(L"C:\\windows");
        EXPECT_EQ(drives.CurrentDirectory(), "C:\\windows");
    }
    EXPECT_EQ(drives.CurrentDirectory(), Utf8Of(InFolder::CurrentFolder()));
    {
        // On a share there is no drive letter: the selector starts with none.
        const InFolder share(L"\\\\orvale\\share");
        EXPECT_EQ(drives.CurrentDirectory().substr(0, 14), "\\\\orvale\\share");
    }

    EXPECT_EQ(drives.NativeRoot('c'), "c:\\");
    EXPECT_EQ(drives.NativeRoot('z'), "z:\\");
}

// A chosen folder's root text on Windows: its full path with a small drive letter; names in
// any script are kept as the file system spells them.
TEST_F(Win32Drives, AFolderLiesOnItsDriveAsItsFullPath) {
    for (const char* folder : {"D:\\Photos", "D:\\Photos\\資料表", "D:\\Photos\\한글"})
        CreateDirectoryW(LongWide(folder).c_str(), nullptr);
    const std::optional<platform::FolderPlace> photos = drives.Locate("D:\\Photos");
    ASSERT_TRUE(photos);
    EXPECT_EQ(photos->letter, 'd');
    EXPECT_EQ(photos->rootText, "d:\\Photos\\");
    EXPECT_EQ(photos->nativePath, "d:\\Photos\\");
    EXPECT_EQ(drives.Locate("\\\\?\\D:\\Photos\\한글")->rootText, "d:\\Photos\\한글\\");
    EXPECT_EQ(drives.Locate("d:\\")->rootText, "d:\\");
    EXPECT_FALSE(drives.Locate("d:\\Photos\\missing"));
    EXPECT_FALSE(drives.Locate(""));

    const InFolder inPhotos(L"d:\\Photos");
    EXPECT_EQ(drives.Locate("資料表")->rootText, "d:\\Photos\\資料表\\");
}

// A UNC folder opens like any other and reads as the user wrote it, ending with "\".
TEST_F(Win32Drives, AShareFolderIsItsUncPath) {
    for (const char* folder : {"D:\\Photos", "D:\\Photos\\한글", "D:\\Photos\\한글\\아래"})
        CreateDirectoryW(LongWide(folder).c_str(), nullptr);
    const std::optional<platform::FolderPlace> share = drives.Locate("\\\\orvale\\share\\Photos");
    ASSERT_TRUE(share);
    EXPECT_EQ(share->letter, 0);
    EXPECT_EQ(share->rootText, "\\\\orvale\\share\\Photos\\");
    EXPECT_EQ(drives.Locate("//orvale/share/Photos/한글")->rootText, "\\\\orvale\\share\\Photos\\한글\\");
    {
        const InFolder onShare(L"\\\\orvale\\share\\Photos");
        EXPECT_EQ(drives.Locate("한글")->rootText, "\\\\orvale\\share\\Photos\\한글\\");
    }

    platform::Platform& os = platform::NativePlatform();
    const std::optional<ScanRoot> root = FolderScanRoot(os, "\\\\orvale\\share\\Photos\\한글");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->text, "\\\\orvale\\share\\Photos\\??\\");
    EXPECT_EQ(root->nativeText, "\\\\orvale\\share\\Photos\\한글\\");
    TTreeNodes nodes;
    bool interrupted = false;
    FolderScan(nodes, os.files, os.desktop, interrupted).Run(root->text, root->nativePath);
    ASSERT_EQ(nodes.NodeCount(), 2);
    EXPECT_EQ(nodes.NodeAt(1)->NativeName(), "아래");
    EXPECT_EQ(nodes.NodeAt(1)->Text(), "??");
}

}  // namespace
