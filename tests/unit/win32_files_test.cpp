// Folder listings and a whole scan on real folders made through the A calls, in a process
// whose ANSI code page is 932.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Attributes.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "tree/FolderScan.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"
#include "unit/support/Win32TempFolder.h"

namespace {

using platform::faDirectory;
using platform::kFolderScanFilter;

// A three-kanji word, and a name ending in the kanji coded 0x95 0x5C (second byte "\").
const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kEndsInTable = "\x88\xEA\x97\x97\x95\x5C";

// Holds ESC down through the system's input queue for the life of the object.
class HeldEscape {
public:
    HeldEscape() { Send(0); }
    ~HeldEscape() { Send(KEYEVENTF_KEYUP); }
    HeldEscape(const HeldEscape&) = delete;
    HeldEscape& operator=(const HeldEscape&) = delete;

private:
    static void Send(DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_ESCAPE;
        input.ki.dwFlags = flags;
        EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
    }
};

struct Entry {
    std::string name;
    std::uint32_t attributes;
    bool operator==(const Entry&) const = default;
};

struct Win32Files : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    std::vector<Entry> Listing(const std::string& folder) {
        std::vector<Entry> out;
        auto listing = files.List(folder, kFolderScanFilter);
        if (!listing) return out;
        platform::ListingEntry entry;
        while (listing->Next(entry)) out.push_back({std::string(entry.nativeName), entry.attributes});
        return out;
    }
    static std::vector<std::string> Names(const std::vector<Entry>& entries) {
        std::vector<std::string> names;
        for (const auto& e : entries) names.push_back(e.name);
        return names;
    }
    // What the system itself lists, in its order, less the hidden and system entries
    // when `visibleOnly`.
    static std::vector<std::string> SystemOrder(const std::string& folder, bool visibleOnly = true) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            const bool hidden = data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            if (!(visibleOnly && hidden)) names.push_back(data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        return names;
    }

    Win32TempFolder temp;
    platform::Win32FileSystem files;
};

TEST_F(Win32Files, AttributesOfFoldersFilesAndMissingPaths) {
    temp.File("a.txt");
    ASSERT_TRUE(files.Attributes("c:\\").has_value());
    EXPECT_TRUE(*files.Attributes("c:\\") & faDirectory);
    EXPECT_TRUE(*files.Attributes(temp.path()) & faDirectory);
    ASSERT_TRUE(files.Attributes(temp.path() + "a.txt").has_value());
    EXPECT_FALSE(*files.Attributes(temp.path() + "a.txt") & faDirectory);
    EXPECT_EQ(files.Attributes(temp.path() + "missing\\"), std::nullopt);
    EXPECT_EQ(files.Attributes("q:\\"), std::nullopt);  // no such drive
    EXPECT_FALSE(DriveIsReady(files, "e:\\"));          // the prefix's CD-ROM drive holds no disc
    EXPECT_TRUE(DriveIsReady(files, "c:\\"));
}

TEST_F(Win32Files, FilterSkipsHiddenAndSystemKeepsReadOnlyAndFiles) {
    temp.Folder("Plain");
    temp.Folder(".cache");  // a dot is no hidden bit on Windows (Wine needs ShowDotFiles for that)
    temp.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("System", FILE_ATTRIBUTE_SYSTEM);
    temp.Folder("Locked", FILE_ATTRIBUTE_READONLY);
    temp.File("a.txt");
    temp.File("b.txt");
    SetFileAttributesA((temp.path() + "b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);

    const std::vector<Entry> entries = Listing(temp.path());
    std::vector<std::string> names = Names(entries);
    // Everything that passes, in the order the system lists it: "." and ".." included.
    EXPECT_EQ(names, SystemOrder(temp.path()));
    for (const char* gone : {"Hidden", "System", "b.txt"})
        EXPECT_EQ(std::find(names.begin(), names.end(), gone), names.end()) << gone;
    for (const char* kept : {".", "..", "Plain", ".cache", "Locked", "a.txt"})
        EXPECT_NE(std::find(names.begin(), names.end(), kept), names.end()) << kept;
    for (const auto& e : entries) EXPECT_EQ(bool(e.attributes & faDirectory), e.name != "a.txt") << e.name;
}

TEST_F(Win32Files, JapaneseNamesArriveAsCodePage932AndTheirPathsList) {
    temp.Folder(kJapanese);
    temp.Folder(kEndsInTable);
    temp.Folder(kEndsInTable + "\\Inner");
    temp.Folder(kEndsInTable + "\\" + kJapanese);

    std::vector<std::string> top = Names(Listing(temp.path()));
    EXPECT_NE(std::find(top.begin(), top.end(), kJapanese), top.end());
    EXPECT_NE(std::find(top.begin(), top.end(), kEndsInTable), top.end());
    EXPECT_EQ(files.DisplayName(kEndsInTable), kEndsInTable);

    const std::string inner = files.SubfolderPath(temp.path(), kEndsInTable);
    EXPECT_EQ(inner, temp.path() + kEndsInTable + "\\");
    std::vector<std::string> below = Names(Listing(inner));
    EXPECT_NE(std::find(below.begin(), below.end(), "Inner"), below.end());
    EXPECT_NE(std::find(below.begin(), below.end(), kJapanese), below.end());
}

TEST_F(Win32Files, FolderThatCannotBeListedGivesNoListing) {
    EXPECT_EQ(files.List(temp.path() + "missing\\", kFolderScanFilter), nullptr);
    EXPECT_EQ(files.List("q:\\", kFolderScanFilter), nullptr);
}

// The whole scan on a temporary folder standing in for a drive's root.
TEST_F(Win32Files, ScanOfRealFolders) {
    temp.Folder("Zeta");
    temp.Folder("Zeta\\Inner");
    temp.File("Zeta\\Inner\\note.txt");
    temp.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("Hidden\\Below");
    temp.Folder("System", FILE_ATTRIBUTE_SYSTEM);
    temp.Folder("System\\Below");
    temp.Folder("Locked");
    temp.Folder("Locked\\Kept");
    temp.Folder(".cache");
    SetFileAttributesA((temp.path() + "Locked").c_str(), FILE_ATTRIBUTE_READONLY);
    temp.Folder(kEndsInTable);
    temp.Folder(kEndsInTable + "\\" + kJapanese);
    temp.File("a.txt");

    TTreeNodes nodes;
    platform::Win32Desktop desktop;  // no key is down under the test run
    bool interrupted = true;
    FolderScan(nodes, files, desktop, interrupted).Run(temp.path(), temp.path());

    std::vector<std::string> tree;
    for (int i = 0; i < nodes.NodeCount(); ++i) {
        const TTreeNode* node = nodes.NodeAt(i);
        tree.push_back(std::string(node->Depth(), '.') + node->Text());
    }
    // Top-level folders in the order the system lists them, each followed by its subtree.
    std::vector<std::string> expected{temp.path()};
    for (const std::string& name : SystemOrder(temp.path(), false)) {
        if (name == "Zeta") expected.insert(expected.end(), {".Zeta", "..Inner"});
        if (name == "Locked") expected.insert(expected.end(), {".Locked", "..Kept"});
        if (name == ".cache") expected.push_back("..cache");
        if (name == kEndsInTable) expected.insert(expected.end(), {"." + kEndsInTable, ".." + kJapanese});
    }
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(tree, expected);
}

TEST_F(Win32Files, ScanStopsAtTheSecondEntryWhileEscIsHeld) {
    for (const char* name : {"One", "Two", "Three"}) temp.Folder(name);
    temp.Folder("One\\Below");

    TTreeNodes nodes;
    platform::Win32Desktop desktop;
    bool interrupted = false;
    {
        const HeldEscape held;
        ASSERT_TRUE(desktop.EscapeDown());
        FolderScan(nodes, files, desktop, interrupted).Run(temp.path(), temp.path());
    }
    EXPECT_FALSE(desktop.EscapeDown());
    EXPECT_TRUE(interrupted);
    // The first entry (".") is examined without a poll; the second is where the scan stops.
    EXPECT_EQ(nodes.NodeCount(), 1);
}

}  // namespace
