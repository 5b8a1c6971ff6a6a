#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "doubles/FakeFileSystem.h"
#include "platform/Attributes.h"
#include "sjis/Cp932.h"
#include "tree/FolderScan.h"
#include "tree/NodePath.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"

namespace {

ScanOptions DepthOf(int levels) {
    ScanOptions options;
    options.depth = levels;
    return options;
}

using platform::faHidden;
using platform::faReadOnly;
using platform::faSystem;
using platform::faVolumeLabel;

// The kanji coded 0x95 0x5C: its second byte is the "\" byte.
const std::string kHyou = "\x95\x5C";

struct ScanFixture : ::testing::Test {
    platform::FakeFileSystem files;
    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = true;

    void Scan() { FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\"); }

    // Each node as its depth in dots followed by its text, in pre-order.
    std::vector<std::string> Tree() {
        std::vector<std::string> lines;
        for (int i = 0; i < nodes.NodeCount(); ++i) {
            const TTreeNode* node = nodes.NodeAt(i);
            lines.push_back(std::string(node->Depth(), '.') + node->Text());
        }
        return lines;
    }
};

TEST_F(ScanFixture, ListsEveryVisibleFolderOnceInPreOrderAndListingOrder) {
    files.AddFile("x:\\a.txt");
    files.AddFolder("x:\\Zeta\\Inner");
    files.AddFile("x:\\Zeta\\Inner\\note.txt");
    files.AddFolder("x:\\Alpha\\Two");
    files.AddFolder("x:\\Alpha\\One");
    files.AddFolder("x:\\Hidden\\Below", 0);
    files.AddFolder("x:\\Hidden", faHidden);
    files.AddFolder("x:\\Sys", faSystem);
    files.AddFolder("x:\\Label", faVolumeLabel);
    files.AddFolder("x:\\Locked\\Kept", 0);
    files.AddFolder("x:\\Locked", faReadOnly);
    files.AddFolder("x:\\.cache");
    files.AddFile("x:\\b.txt", faReadOnly);

    Scan();

    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".Zeta", "..Inner", ".Alpha", "..Two", "..One", ".Locked",
                                                "..Kept", "..cache"}));
    EXPECT_EQ(files.listed,
              (std::vector<std::string>{"x:\\", "x:\\Zeta\\", "x:\\Zeta\\Inner\\", "x:\\Alpha\\", "x:\\Alpha\\Two\\",
                                        "x:\\Alpha\\One\\", "x:\\Locked\\", "x:\\Locked\\Kept\\", "x:\\.cache\\"}));
    EXPECT_FALSE(nodes.NodeAt(0)->ParentNode());
    EXPECT_TRUE(nodes.NodeAt(0)->HasChildren());
    EXPECT_FALSE(nodes.NodeAt(2)->HasChildren());
}

TEST_F(ScanFixture, CountsTheFoldersFoundBelowTheRootAsItGoes) {
    files.AddFolder("x:\\A\\A1");
    files.AddFolder("x:\\B");
    files.AddFile("x:\\f.txt");
    FolderScan scan(nodes, files, desktop, interrupted);
    std::vector<int> seen;  // the count as each listing opens
    files.onList = [&](const std::string&) { seen.push_back(scan.Found()); };

    scan.Run("x:\\", "x:\\");
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 3, 3}));
    EXPECT_EQ(scan.Found(), 3);

    // Another run counts from nothing again.
    seen.clear();
    scan.Run("x:\\", "x:\\");
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(scan.Found(), 3);
}

TEST_F(ScanFixture, AnotherScanReplacesTheTree) {
    files.AddFolder("x:\\Old");
    Scan();
    files.Remove("x:\\Old");
    files.AddFolder("x:\\New");
    Scan();
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".New"}));
}

TEST_F(ScanFixture, EscPollsOnePerOuterPassAndOnePerReturnedEntryAfterTheFirst) {
    files.AddFolder("x:\\A\\A1");        // x:\A\ lists ".", "..", A1
    files.AddFolder("x:\\H", faHidden);  // skipped inside the listing: no poll
    files.AddFile("x:\\f.txt");          // passed over inside the listing: no poll either
    files.AddFolder("x:\\B");            // x:\B\ lists ".", ".."
    Scan();
    // Root: A (unpolled), B = 1. Outer passes for A, A1, B = 3.
    // x:\A\: 2 polls; x:\A\A1\: 1; x:\B\: 1.
    EXPECT_EQ(desktop.polls, 1 + 3 + 2 + 1 + 1);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", "..A1", ".B"}));
}

TEST_F(ScanFixture, EscHeldFromTheStartKeepsTheFirstEntryOfTheRootOnly) {
    files.AddFolder("x:\\A\\Deeper");
    files.AddFolder("x:\\B");
    desktop.HoldEscape();
    Scan();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A"}));
    // None before the root listing nor for its first entry: one at B, one at the outer pass.
    EXPECT_EQ(desktop.polls, 2);
    EXPECT_EQ(files.listed, std::vector<std::string>{"x:\\"});

    // Released before the next run: that run scans everything.
    desktop.ReleaseEscape();
    Scan();
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", "..Deeper", ".B"}));
}

TEST_F(ScanFixture, OuterPollStopsBeforeTheNextFolderIsListed) {
    files.AddFolder("x:\\Only\\Child");
    desktop.escapeScript = [](int poll) { return poll == 0; };  // the first outer pass
    Scan();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".Only"}));
    EXPECT_EQ(files.listed, std::vector<std::string>{"x:\\"});
}

TEST_F(ScanFixture, InterruptSetInsideAListingEndsTheOuterLoop) {
    files.AddFolder("x:\\A\\A1");
    files.AddFolder("x:\\B");
    files.AddFolder("x:\\C");
    // Poll 0 is B, poll 1 is C: ESC is seen there, then released again.
    desktop.escapeScript = [](int poll) { return poll == 1; };
    Scan();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", ".B"}));
    EXPECT_EQ(files.listed, std::vector<std::string>{"x:\\"});
    EXPECT_EQ(desktop.polls, 3);  // the outer pass still polls, then finds the interrupt
}

TEST_F(ScanFixture, FolderEndingInASecondByteBackslashKeepsItsSubfolders) {
    files.AddFolder("x:\\" + kHyou + "\\sub");
    Scan();
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", "." + kHyou, "..sub"}));
    EXPECT_EQ(files.listed[1], "x:\\" + kHyou + "\\");
    EXPECT_EQ(NodePath(nodes, 1), "x:\\" + kHyou + "\\");
    EXPECT_EQ(NodePath(nodes, 2), "x:\\" + kHyou + "\\sub\\");
}

TEST(NodePathTest, JoinsTheTextsWithOneSeparatorEach) {
    TTreeNodes nodes;
    TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
    TTreeNode* a = nodes.AppendChild(root, "A");
    nodes.AppendChild(a, "B");
    EXPECT_EQ(NodePath(nodes, 0), "c:\\");
    EXPECT_EQ(NodePath(nodes, 2), "c:\\A\\B\\");
    // A label edited to end in "\" gets no second separator; an empty one still gets one.
    a->SetText("A\\");
    EXPECT_EQ(NodePath(nodes, 2), "c:\\A\\B\\");
    a->SetText("");
    EXPECT_EQ(NodePath(nodes, 2), "c:\\\\B\\");
}

TEST_F(ScanFixture, FoldersThatVanishOrAreRenamedMidScanListNothing) {
    files.AddFolder("x:\\A");
    files.AddFolder("x:\\B\\B1");
    files.AddFolder("x:\\C\\C1");
    files.onList = [&](const std::string& folder) {
        if (folder == "x:\\A\\") {
            files.Remove("x:\\B");
            files.Rename("x:\\C", "D");
        }
    };
    Scan();
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", ".B", ".C"}));
}

TEST_F(ScanFixture, ListingHookCanPressEscMidScan) {
    files.AddFolder("x:\\A\\A1");
    files.AddFolder("x:\\B");
    files.onList = [&](const std::string& folder) {
        if (folder == "x:\\A\\") desktop.HoldEscape();
    };
    Scan();
    EXPECT_TRUE(interrupted);
    // x:\A\ lists ".", then ESC is seen at "..": A1 is never reached.
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", ".B"}));
}

TEST_F(ScanFixture, ChainThousandsDeepScansAndTearsDown) {
    constexpr int kDepth = 3000;
    std::string path = "x:";
    for (int i = 0; i < kDepth; ++i) path += "\\d";
    files.AddFolder(path);
    Scan();
    ASSERT_EQ(nodes.NodeCount(), kDepth + 1);
    EXPECT_EQ(nodes.NodeAt(kDepth)->Depth(), kDepth);
    EXPECT_EQ(NodePath(nodes, kDepth), path.substr(0, 2) + path.substr(2) + "\\");
    nodes.ClearNodes();
}

TEST_F(ScanFixture, AddSubfoldersListsOneFolderUnderAGivenNode) {
    files.AddFolder("x:\\A\\One\\Deep");
    files.AddFolder("x:\\A\\Two");
    TTreeNode* top = nodes.AppendChild(nullptr, "label");
    bool flag = false;
    FolderScan(nodes, files, desktop, flag).AddSubfolders("x:\\A\\", top);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"label", ".One", ".Two"}));
}

TEST_F(ScanFixture, DepthLimitAppendsTheLastLevelButNeverReadsIt) {
    files.AddFolder("x:\\A\\B\\C\\D");
    files.AddFolder("x:\\A\\B2");
    files.AddFolder("x:\\E");
    FolderScan scan(nodes, files, desktop, interrupted);
    scan.Use(DepthOf(2));
    scan.Run("x:\\", "x:\\");
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", "..B", "..B2", ".E"}));
    EXPECT_EQ(files.listed, (std::vector<std::string>{"x:\\", "x:\\A\\", "x:\\E\\"}));

    scan.Use(DepthOf(1));
    files.listed.clear();
    scan.Run("x:\\", "x:\\");
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", ".E"}));
    EXPECT_EQ(files.listed, (std::vector<std::string>{"x:\\"}));

    // A limit deeper than the tree changes nothing, ESC included.
    scan.Use(DepthOf(10));
    desktop.polls = 0;
    desktop.escapeScript = [](int poll) { return poll == 3; };
    scan.Run("x:\\", "x:\\");
    EXPECT_TRUE(interrupted);
    desktop.ReleaseEscape();
    const std::vector<std::string> cut = Tree();
    FolderScan whole(nodes, files, desktop, interrupted);
    whole.Run("x:\\", "x:\\");
    EXPECT_EQ(Tree(), (std::vector<std::string>{"x:\\", ".A", "..B", "...C", "....D", "..B2", ".E"}));
    EXPECT_LT(cut.size(), Tree().size());
}

// With the options: each node as its depth in dots, then "file " for a file, then its text.
struct OptionsFixture : ScanFixture {
    ScanOptions options;

    void Scan() {
        FolderScan scan(nodes, files, desktop, interrupted);
        scan.Use(options);
        scan.Run("x:\\", "x:\\");
    }
    std::vector<std::string> Kinds() {
        std::vector<std::string> lines;
        for (const TTreeNode* node = nodes.FirstNode(); node; node = node->NextInOrder())
            lines.push_back(std::string(node->Depth(), '.') + (node->IsFile() ? "file " : "") + node->Text());
        return lines;
    }
    void Exclude(std::string_view cp932) { options.excluded.Add(sjis::ToUtf16(cp932)); }
};

TEST_F(OptionsFixture, FilesComeBeforeEachFoldersSubfoldersEachGroupInListingOrder) {
    files.AddFile("x:\\b.txt");
    files.AddFolder("x:\\Zeta\\Inner");
    files.AddFile("x:\\Zeta\\Inner\\note.txt");
    files.AddFile("x:\\Zeta\\z.log", faReadOnly);
    files.AddFile("x:\\a.txt");
    files.AddFile("x:\\secret.txt", faHidden);
    files.AddFile("x:\\pagefile.sys", faSystem);
    files.AddFolder("x:\\Alpha");
    files.AddFile("x:\\Empty\\only.txt");
    options.files = true;
    FolderScan scan(nodes, files, desktop, interrupted);
    scan.Use(options);
    scan.Run("x:\\", "x:\\");

    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Kinds(),
              (std::vector<std::string>{"x:\\", ".file b.txt", ".file a.txt", ".Zeta", "..file z.log", "..Inner",
                                        "...file note.txt", ".Alpha", ".Empty", "..file only.txt"}));
    // Files are lines of the tree like folders, but never listed; the count is of folders.
    EXPECT_EQ(files.listed,
              (std::vector<std::string>{"x:\\", "x:\\Zeta\\", "x:\\Zeta\\Inner\\", "x:\\Alpha\\", "x:\\Empty\\"}));
    EXPECT_EQ(scan.Found(), 4);
    EXPECT_TRUE(nodes.NodeAt(9)->ParentNode()->HasChildren());  // Empty holds a file only
    EXPECT_FALSE(nodes.NodeAt(9)->HasChildren());
    // One poll for each returned entry after the first: the root's b.txt, Zeta, a.txt, Alpha
    // and Empty give 4; Zeta's ".", "..", Inner and z.log 3; Inner's 2, Alpha's 1, Empty's 2.
    // And one at the outer pass of each of the 4 folders below the root; files have none.
    EXPECT_EQ(desktop.polls, 4 + 3 + 2 + 1 + 2 + 4);
}

TEST_F(OptionsFixture, EscInsideAListingKeepsTheFoldersExaminedAfterTheFiles) {
    files.AddFile("x:\\f1");
    files.AddFolder("x:\\A\\Deeper");
    files.AddFile("x:\\f2");
    files.AddFolder("x:\\B");
    files.AddFile("x:\\f3");
    options.files = true;
    // Polls 0 and 1 are A and f2 (f1 is the first entry): ESC is seen at B, which is left out.
    desktop.escapeScript = [](int poll) { return poll == 2; };
    Scan();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".file f1", ".file f2", ".A"}));
    EXPECT_EQ(files.listed, std::vector<std::string>{"x:\\"});
}

TEST_F(OptionsFixture, ADepthCutsABranchInTheMiddleFilesAtTheLastLevelIncluded) {
    files.AddFolder("x:\\A\\B\\C\\D");
    files.AddFile("x:\\A\\B\\deep.txt");
    files.AddFile("x:\\A\\f1.txt");
    files.AddFolder("x:\\A\\B2");
    files.AddFolder("x:\\E");
    files.AddFile("x:\\g.txt");
    options.depth = 2;
    Scan();
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".A", "..B", "..B2", ".E"}));
    EXPECT_EQ(files.listed, (std::vector<std::string>{"x:\\", "x:\\A\\", "x:\\E\\"}));

    options.files = true;
    files.listed.clear();
    Scan();
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".file g.txt", ".A", "..file f1.txt", "..B", "..B2", ".E"}));
    EXPECT_EQ(files.listed, (std::vector<std::string>{"x:\\", "x:\\A\\", "x:\\E\\"}));

    options.depth = 1;
    Scan();
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".file g.txt", ".A", ".E"}));
}

TEST_F(OptionsFixture, NamesMatchingAPatternAreNeitherListedNorEntered) {
    files.AddFolder("x:\\node_modules\\pkg");
    files.AddFolder("x:\\src\\.git\\objects");
    files.AddFile("x:\\src\\main.cpp");
    files.AddFile("x:\\src\\MAIN.O");
    files.AddFile("x:\\src\\a.obj");
    files.AddFile("x:\\src\\tmp1");
    files.AddFile("x:\\src\\tmp12");
    files.AddFolder("x:\\" + kHyou + "\\sub");              // 表: second byte 0x5C
    files.AddFolder("x:\\\x95\x5C\x8C\x76\x8E\x5A\\kept");  // 表計算
    files.AddFolder("x:\\\xC3\xDE\xB0\xC0");                // ﾃﾞｰﾀ, half-width kana
    files.AddFolder("x:\\Data");
    options.files = true;
    Exclude("node_modules");
    Exclude(".GIT");           // case does not matter
    Exclude("*.o");            // the whole name: a.obj stays
    Exclude("tmp?");           // one character: tmp12 stays
    Exclude(kHyou);            // exactly 表: 表計算 stays
    Exclude("\xC3\xDE?\xC0");  // ﾃﾞ?ﾀ
    Scan();
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".src", "..file main.cpp", "..file a.obj", "..file tmp12",
                                                 ".\x95\x5C\x8C\x76\x8E\x5A", "..kept", ".Data"}));
    EXPECT_EQ(files.listed, (std::vector<std::string>{"x:\\", "x:\\src\\", "x:\\\x95\x5C\x8C\x76\x8E\x5A\\",
                                                      "x:\\\x95\x5C\x8C\x76\x8E\x5A\\kept\\", "x:\\Data\\"}));

    // Folders alone: the same patterns leave the same folders out.
    options.files = false;
    files.listed.clear();
    Scan();
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"x:\\", ".src", ".\x95\x5C\x8C\x76\x8E\x5A", "..kept", ".Data"}));
}

TEST(DriveReady, NeedsARootFolderThatAnswers) {
    platform::FakeFileSystem files;
    files.AddFolder("c:\\Windows");
    files.AddFile("d:\\", 0);
    EXPECT_TRUE(DriveIsReady(files, "c:\\"));
    EXPECT_FALSE(DriveIsReady(files, "e:\\"));
    EXPECT_FALSE(DriveIsReady(files, ""));
}

}  // namespace
