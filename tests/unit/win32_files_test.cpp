// Folder listings and whole scans of real folders, made through the wide calls: names in
// every script, name order, long paths, and the entries that are or are not folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Attributes.h"
#include "platform/win32/ReadFolder.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "tree/FolderScan.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"
#include "unit/support/Bytes.h"
#include "unit/support/Win32TempFolder.h"

namespace {

using platform::faDirectory;
using platform::faLink;
using platform::faReadOnly;
using platform::kFolderScanFilter;

// Names code page 932 cannot spell, half-width kana, kanji and ASCII, in the order an NTFS
// folder keeps them (each name's UTF-16 units upper-cased one by one: M, P, U+00DC, U+0395,
// U+05D0, U+8868, U+D55C, U+D83D, U+FF76).
const std::vector<std::string> kNamesInOrder{"mixed表한", "plain", "Ünïcödé", "Ελλάδα", "אבג",
                                             "表示",      "한글",  "😀",       "ｶﾀｶﾅ"};
// Their code page 932 texts, one "?" for each character it cannot spell.
const std::vector<std::string> kCp932Texts{Bytes({'m', 'i', 'x', 'e', 'd', 0x95, 0x5C, '?'}),
                                           "plain",
                                           "?n?c?d?",
                                           Bytes({0x83, 0xA3, 0x83, 0xC9, 0x83, 0xC9, '?', 0x83, 0xC2, 0x83, 0xBF}),
                                           "???",
                                           Bytes({0x95, 0x5C, 0x8E, 0xA6}),
                                           "??",
                                           "?",
                                           Bytes({0xB6, 0xC0, 0xB6, 0xC5})};

struct Entry {
    std::string name;
    std::uint32_t attributes;
};

// Each node's depth in dots, then its text, in store order.
std::vector<std::string> TreeOf(TTreeNodes& nodes) {
    std::vector<std::string> tree;
    for (int i = 0; i < nodes.NodeCount(); ++i) {
        const TTreeNode* node = nodes.NodeAt(i);
        tree.push_back(std::string(node->Depth(), '.') + node->Text());
    }
    return tree;
}

struct Win32Files : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    // Files too: the scan's own filter passes them over.
    std::vector<Entry> Listing(const std::string& folder, std::uint32_t filter = faReadOnly | faDirectory) {
        std::vector<Entry> out;
        auto listing = files.List(folder, filter);
        if (!listing) return out;
        platform::ListingEntry entry;
        while (listing->Next(entry)) out.push_back({std::string(entry.nativeName), entry.attributes});
        return out;
    }
    std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        for (const Entry& e : Listing(folder)) names.push_back(e.name);
        return names;
    }
    std::vector<std::string> Scan(const std::string& root) {
        TTreeNodes nodes;
        platform::Win32Desktop desktop;  // no key is down under the test run
        bool interrupted = true;
        FolderScan(nodes, files, desktop, interrupted).Run(root, root);
        EXPECT_FALSE(interrupted);
        return TreeOf(nodes);
    }

    Win32TempFolder temp;
    platform::Win32FileSystem files;
};

TEST_F(Win32Files, AttributesOfFoldersFilesAndMissingPaths) {
    temp.File("a.txt");
    temp.Folder("한글");
    ASSERT_TRUE(files.Attributes("c:\\").has_value());
    EXPECT_TRUE(*files.Attributes("c:\\") & faDirectory);
    EXPECT_TRUE(*files.Attributes(temp.path()) & faDirectory);
    EXPECT_TRUE(*files.Attributes(temp.path() + "한글") & faDirectory);
    ASSERT_TRUE(files.Attributes(temp.path() + "a.txt").has_value());
    EXPECT_FALSE(*files.Attributes(temp.path() + "a.txt") & faDirectory);
    EXPECT_EQ(files.Attributes(temp.path() + "missing\\"), std::nullopt);
    EXPECT_EQ(files.Attributes("q:\\"), std::nullopt);  // no such drive
    EXPECT_EQ(files.Attributes(""), std::nullopt);
    EXPECT_FALSE(DriveIsReady(files, "e:\\"));  // the prefix's CD-ROM drive holds no disc
    EXPECT_TRUE(DriveIsReady(files, "c:\\"));
}

TEST_F(Win32Files, ListingSkipsHiddenAndSystemAndComesInNameOrder) {
    temp.Folder("Plain");
    temp.Folder(".cache");  // a dot is no hidden bit on Windows (Wine needs ShowDotFiles for that)
    temp.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("System", FILE_ATTRIBUTE_SYSTEM);
    temp.Folder("locked", FILE_ATTRIBUTE_READONLY);
    temp.File("a.txt");
    temp.File("b.txt");
    SetFileAttributesW(LongWide(temp.path() + "b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

    const std::vector<Entry> entries = Listing(temp.path());
    std::vector<std::string> names;
    for (const Entry& e : entries) {
        names.push_back(e.name);
        EXPECT_EQ(bool(e.attributes & faDirectory), e.name != "a.txt") << e.name;
        EXPECT_FALSE(e.attributes & faLink) << e.name;
    }
    // "." and ".." first, then by upper-cased units: ".CACHE", "A.TXT", "LOCKED", "PLAIN".
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", ".cache", "a.txt", "locked", "Plain"}));
    // The scan's listing passes the file over.
    names.clear();
    for (const Entry& e : Listing(temp.path(), kFolderScanFilter)) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", ".cache", "locked", "Plain"}));
}

TEST_F(Win32Files, NamesInEveryScriptArriveWholeInNameOrder) {
    for (auto it = kNamesInOrder.rbegin(); it != kNamesInOrder.rend(); ++it) temp.Folder(*it);
    std::vector<std::string> names = Names(temp.path());
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 2, names.end()), kNamesInOrder);
    for (std::size_t i = 0; i < kNamesInOrder.size(); ++i) {
        EXPECT_EQ(files.DisplayName(kNamesInOrder[i]), kCp932Texts[i]) << kNamesInOrder[i];
        EXPECT_EQ(files.Utf8Name(kNamesInOrder[i]), kNamesInOrder[i]);
    }
    // A name code page 932 cannot spell is still a path that lists.
    temp.Folder("한글\\😀");
    EXPECT_EQ(Names(files.SubfolderPath(temp.path(), "한글")), (std::vector<std::string>{".", "..", "😀"}));
}

TEST_F(Win32Files, FolderThatCannotBeListedGivesNoListing) {
    temp.File("a.txt");
    EXPECT_EQ(files.List(temp.path() + "missing\\", kFolderScanFilter), nullptr);
    EXPECT_EQ(files.List(temp.path() + "a.txt\\", kFolderScanFilter), nullptr);
    EXPECT_EQ(files.List("q:\\", kFolderScanFilter), nullptr);
    EXPECT_EQ(files.List("", kFolderScanFilter), nullptr);
}

// The names kept to the letter: a path built from a listed name reaches that folder, not
// the one Windows' own parsing would make of it ("dot." is not "dot").
TEST_F(Win32Files, TrailingDotsAndBlanksNameTheirOwnFolders) {
    temp.Folder("dot");
    temp.Folder("dot.");
    temp.Folder("dot.\\inside dot.");
    temp.Folder("blank ");
    temp.Folder("blank \\inside blank");
    EXPECT_EQ(Scan(temp.path()),
              (std::vector<std::string>{temp.path(), ".blank ", "..inside blank", ".dot", ".dot.", "..inside dot."}));
}

// The tree of names in every script, each with a subfolder and a sub-subfolder: whole, in
// name order, as its code page 932 texts.
TEST_F(Win32Files, ScanListsTheWholeTreeOfNamesInEveryScript) {
    for (const std::string& name : kNamesInOrder) {
        temp.Folder(name);
        temp.Folder(name + "\\" + name + "-1");
        temp.Folder(name + "\\" + name + "-1\\" + name + "-2");
    }
    temp.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("Hidden\\Below");
    temp.File("plain\\note.txt");

    std::vector<std::string> expected{temp.path()};
    for (const std::string& text : kCp932Texts)
        expected.insert(expected.end(), {"." + text, ".." + text + "-1", "..." + text + "-2"});
    const std::vector<std::string> tree = Scan(temp.path());
    EXPECT_EQ(tree.size(), 28u);
    EXPECT_EQ(tree, expected);
}

// What a listing entry is taken for, from the attributes and reparse tag the system gives.
TEST(Win32ListedAttributes, NameSurrogatesAreLinksOtherReparsePointsAreFolders) {
    constexpr std::uint32_t kFolder = FILE_ATTRIBUTE_DIRECTORY;
    constexpr std::uint32_t kReparseFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    for (const DWORD tag : {DWORD(IO_REPARSE_TAG_MOUNT_POINT), DWORD(IO_REPARSE_TAG_SYMLINK), DWORD(0)})
        EXPECT_EQ(platform::ListedAttributes(kReparseFolder, tag), kReparseFolder) << std::hex << tag;
    for (const DWORD tag : {DWORD(IO_REPARSE_TAG_CLOUD_6), DWORD(IO_REPARSE_TAG_CLOUD), DWORD(IO_REPARSE_TAG_DEDUP)})
        EXPECT_EQ(platform::ListedAttributes(kReparseFolder, tag), kFolder) << std::hex << tag;
    // The tag field means nothing without the reparse-point bit.
    EXPECT_EQ(platform::ListedAttributes(kFolder | FILE_ATTRIBUTE_READONLY, IO_REPARSE_TAG_SYMLINK),
              kFolder | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(platform::ListedAttributes(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK),
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST_F(Win32Files, ReadFolderStopsWhenAskedAndSaysWhyItCannotList) {
    for (const char* name : {"a", "b", "c", "d"}) temp.Folder(name);
    const std::atomic<bool> stop{true};
    const std::optional<platform::FolderEntries> cut = platform::ReadFolder(temp.path(), kFolderScanFilter, &stop);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Count(), 1u);  // the entry the listing opened with, then the stop
    const std::optional<platform::FolderEntries> whole = platform::ReadFolder(temp.path(), kFolderScanFilter);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->Count(), 6u);

    EXPECT_FALSE(platform::ReadFolder(temp.path() + "missing", kFolderScanFilter));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(Win32Files, ScanStopsAtTheSecondEntryWhileEscIsHeld) {
    for (const char* name : {"One", "Two", "Three"}) temp.Folder(name);
    temp.Folder("One\\Below");

    // Holds ESC down through the system's input queue.
    const auto send = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_ESCAPE;
        input.ki.dwFlags = flags;
        EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
    };
    TTreeNodes nodes;
    platform::Win32Desktop desktop;
    bool interrupted = false;
    send(0);
    EXPECT_TRUE(desktop.EscapeDown());
    FolderScan(nodes, files, desktop, interrupted).Run(temp.path(), temp.path());
    send(KEYEVENTF_KEYUP);
    EXPECT_FALSE(desktop.EscapeDown());
    EXPECT_TRUE(interrupted);
    // The first entry (".") is examined without a poll; the second is where the scan stops.
    EXPECT_EQ(nodes.NodeCount(), 1);
}

}  // namespace
