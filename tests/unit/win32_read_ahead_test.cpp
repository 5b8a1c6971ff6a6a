// Windows listings through the read-ahead: the tree the walk alone gives, on a local folder
// and on a share whose listings each take 3 ms, where the pool reads from the first listing.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "doubles/MemoryFolderReader.h"
#include "platform/Attributes.h"
#include "platform/ReadAheadWalk.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FolderReader.h"
#include "text/TreeText.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"
#include "unit/support/Win32TempFolder.h"

namespace {

struct Scanned {
    std::string text;  // the tree text, as the memo gets it
    int nodes = 0;
    double seconds = 0;
};

// A file system whose one walk is given.
class ReaderFiles final : public platform::FileSystem {
public:
    explicit ReaderFiles(platform::FolderWalk& walk) : walk_(walk) {}
    std::optional<std::uint32_t> Attributes(const std::string&) override { return platform::faDirectory; }
    std::unique_ptr<platform::FolderListing> List(const std::string&, std::uint32_t) override { return nullptr; }
    std::string SubfolderPath(const std::string& folder, std::string_view name) override {
        return folder + std::string(name) + "\\";
    }
    std::string DisplayName(std::string_view name) override { return std::string(name); }
    std::unique_ptr<platform::FolderWalk> Walk(const std::string&) override {
        struct Borrowed final : platform::FolderWalk {
            explicit Borrowed(platform::FolderWalk& walk) : walk_(walk) {}
            void Enter(std::string_view name) override { walk_.Enter(name); }
            void Leave() override { walk_.Leave(); }
            std::unique_ptr<platform::FolderListing> List(std::uint32_t filter) override { return walk_.List(filter); }
            platform::FolderWalk& walk_;
        };
        return std::make_unique<Borrowed>(walk_);
    }

private:
    platform::FolderWalk& walk_;
};

Scanned Scan(platform::FileSystem& files, const std::string& folder) {
    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = false;
    const auto start = std::chrono::steady_clock::now();
    FolderScan(nodes, files, desktop, interrupted).Run("x:\\", folder);
    Scanned scanned;
    scanned.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    scanned.nodes = nodes.NodeCount();
    scanned.text = treetext::BuildTreeText(nodes, SIZE_MAX).bytes;
    return scanned;
}

TEST(Win32ReadAhead, ALocalFolderGivesTheTreeOfTheWalkAlone) {
    Win32TempFolder temp;
    ASSERT_TRUE(temp.ok());
    for (const char* top : {"한글", "plain", "表示", "Zeta", "alpha", "ｶﾀｶﾅ"}) {
        temp.Folder(top);
        for (const char* inner : {"b", "A", "😀"}) temp.Folder(std::string(top) + "\\" + inner);
        temp.File(std::string(top) + "\\file.txt");
    }
    temp.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
    temp.Folder("hidden\\below");
    platform::Win32FileSystem alone(0), readAhead;
    const Scanned expected = Scan(alone, temp.path());
    EXPECT_EQ(expected.nodes, 1 + 6 + 6 * 3);
    for (int round = 0; round < 5; ++round) EXPECT_EQ(Scan(readAhead, temp.path()).text, expected.text) << round;
}

TEST(Win32ReadAhead, SharesAreUncFoldersAndNetworkDrives) {
    // The prefix's \\orvale\tmp and its network drive n: (tests/wine/setup-prefix.sh).
    EXPECT_TRUE(platform::OnShare("\\\\orvale\\tmp\\"));
    EXPECT_TRUE(platform::OnShare("n:\\"));
    EXPECT_FALSE(platform::OnShare("c:\\"));
    EXPECT_FALSE(platform::OnShare("z:\\tmp\\"));
}

// Whether this runs under Wine, which lists one folder at a time in a process: its ntdll
// reads every folder under one lock.
bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The pool on Windows threads, over a drive in memory whose every read takes as long as a
// share's round trip: what Wine's file system cannot show (above), shown here. 10 ms rather
// than 3, so that a busy machine's delays in starting threads weigh little beside them.
TEST(Win32ReadAhead, ReadsThatEachTakeARoundTripOverlapOnThePool) {
    auto reader = std::make_shared<platform::MemoryFolderReader>();
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 10; ++j) reader->AddFolder("t" + std::to_string(i) + "/s" + std::to_string(j));
    reader->readTime = std::chrono::milliseconds(10);
    reader->remote = true;
    auto timed = [&](std::size_t threads) {
        platform::ReadAheadWalk walk(reader, {threads, platform::kFoldersAhead, platform::kBytesAhead});
        ReaderFiles files(walk);
        return Scan(files, "x:\\");
    };
    const Scanned alone = timed(1), pooled = timed(platform::kReadAheadThreads);
    std::printf("in memory, 10 ms a read, %d folders: one thread %.3f s, the pool %.3f s (%.1fx)\n", alone.nodes,
                alone.seconds, pooled.seconds, alone.seconds / pooled.seconds);
    EXPECT_EQ(alone.nodes, 1 + 20 + 200);
    EXPECT_EQ(pooled.text, alone.text);
    EXPECT_GE(alone.seconds / pooled.seconds, 5.0);
}

// Run by tests/wine/slow_share_wine.py, which mounts the share and names it.
TEST(Win32ReadAhead, ASlowShareScansFiveTimesFasterWithTheReadAheadToTheSameTree) {
    const char* share = std::getenv("ORVALE_SLOW_SHARE");
    if (!share) GTEST_SKIP() << "no slow share named (tests/wine/slow_share_wine.py runs this with one)";
    platform::Win32FileSystem alone(0), readAhead;
    const Scanned walked = Scan(alone, share);
    const Scanned read = Scan(readAhead, share);
    std::printf("slow share, %d folders: walking alone %.3f s, read ahead %.3f s (%.1fx)\n", walked.nodes,
                walked.seconds, read.seconds, walked.seconds / read.seconds);
    EXPECT_GT(walked.nodes, 1000);
    EXPECT_EQ(read.text, walked.text);
    if (!UnderWine()) {
        EXPECT_GE(walked.seconds / read.seconds, 5.0);
    }
}

}  // namespace
