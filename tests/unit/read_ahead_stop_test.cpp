// A listing that never comes back cannot hold the scan: ESC, the end of the scan and a
// second scan each go on without it, and the read left behind ends later touching nothing.
// Nor can the pool running out of memory: the walk reads what it could not hand on.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "doubles/MemoryFolderReader.h"
#include "platform/Attributes.h"
#include "platform/ReadAheadWalk.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"

namespace {

// Once armed, allocations on every thread but the test's fail from the n-th on.
std::atomic<long> poolAllocationsLeft{-1};
std::atomic<std::thread::id> testThread;

bool PoolAllocationFails() {
    if (poolAllocationsLeft.load(std::memory_order_relaxed) < 0) return false;
    if (std::this_thread::get_id() == testThread.load()) return false;
    return poolAllocationsLeft.fetch_sub(1) <= 0;
}

}  // namespace

// The replacements below are a matching pair; GCC takes the free after an inlined new for a
// mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    if (PoolAllocationFails()) throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

ScanOptions DepthOf(int levels) {
    ScanOptions options;
    options.depth = levels;
    return options;
}

using platform::FolderPrefetcher;
using platform::MemoryFolderReader;

// The scan's file system over a reader in memory; it counts the polls the walk makes while
// it waits for a listing, apart from those between listings.
class ReaderFiles final : public platform::FileSystem {
public:
    // The reader stays the test's: only the walks and their pools hold it besides.
    ReaderFiles(const std::shared_ptr<MemoryFolderReader>& reader, platform::ReadAheadLimits limits)
        : reader_(reader), limits_(limits) {}
    int waitPolls = 0;

    std::optional<std::uint32_t> Attributes(const std::string&) override { return platform::faDirectory; }
    std::unique_ptr<platform::FolderListing> List(const std::string&, std::uint32_t) override { return nullptr; }
    std::string SubfolderPath(const std::string& folder, std::string_view name) override {
        return folder + std::string(name) + "/";
    }
    std::string DisplayName(std::string_view name) override { return std::string(name); }
    std::unique_ptr<platform::FolderWalk> Walk(const std::string&) override {
        return std::make_unique<Counted>(*this, std::make_unique<platform::ReadAheadWalk>(reader_, limits_));
    }

private:
    class Counted final : public platform::FolderWalk {
    public:
        Counted(ReaderFiles& files, std::unique_ptr<platform::FolderWalk> walk)
            : files_(files), walk_(std::move(walk)) {}
        void Enter(std::string_view name) override { walk_->Enter(name); }
        void Leave() override { walk_->Leave(); }
        std::unique_ptr<platform::FolderListing> List(std::uint32_t filter) override { return walk_->List(filter); }
        void WatchForStop(std::function<bool()> stopAsked) override {
            walk_->WatchForStop([this, stopAsked] {
                ++files_.waitPolls;
                return stopAsked();
            });
        }

    private:
        ReaderFiles& files_;
        std::unique_ptr<platform::FolderWalk> walk_;
    };

    const std::shared_ptr<MemoryFolderReader>& reader_;
    platform::ReadAheadLimits limits_;
};

constexpr platform::ReadAheadLimits kPool{4, 64, 1 << 20};
constexpr platform::ReadAheadLimits kOneThread{1, 64, 1 << 20};

struct ReadAheadStop : ::testing::Test {
    ReadAheadStop() {
        for (const char* folder : {"a/a1", "a/a2", "b/b1", "c/c1"}) reader->AddFolder(folder);
    }
    ~ReadAheadStop() override {
        reader->Release();
        WaitUntilAllReadsEnded();
    }

    // Each node as its depth in dots and its text, in pre-order.
    static std::vector<std::string> Tree(const TTreeNodes& nodes) {
        std::vector<std::string> lines;
        for (const TTreeNode* node = nodes.FirstNode(); node; node = node->NextInOrder())
            lines.push_back(std::string(node->Depth(), '.') + (node->Depth() ? node->Text() : ""));
        return lines;
    }

    // Until every read has returned and the pools are gone with what they held (the reader
    // is then ours alone); a generous bound, so that a fault fails rather than hangs.
    void WaitUntilAllReadsEnded() {
        for (int i = 0; i < 2000 && (reader.use_count() > 1 || FolderPrefetcher::AbandonedReads()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    std::shared_ptr<MemoryFolderReader> reader = std::make_shared<MemoryFolderReader>();
};

const std::vector<std::string> kWhole = {"", ".a", "..a1", "..a2", ".b", "..b1", ".c", "..c1"};
// ESC while the listing of b hangs: b is childless, c was already found in the root's listing.
const std::vector<std::string> kCutAtB = {"", ".a", "..a1", "..a2", ".b", ".c"};

TEST_F(ReadAheadStop, EscWhileAListingHangsEndsTheScanWithWhatWasFoundThen) {
    for (const platform::ReadAheadLimits limits : {kPool, kOneThread}) {
        // Held down from the second poll of the wait on, or pressed and let go within it.
        for (const bool shortPress : {false, true}) {
            reader->Hold("b");
            ReaderFiles files(reader, limits);
            platform::FakeDesktop desktop;
            desktop.escapeScript = [&](int) {
                return shortPress ? files.waitPolls == 3 : files.waitPolls >= 2 && reader->HeldReads() == 1;
            };
            TTreeNodes nodes;
            bool interrupted = false;
            FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\");

            EXPECT_TRUE(interrupted);
            EXPECT_EQ(Tree(nodes), kCutAtB) << "threads " << limits.threads << " short press " << shortPress;
            EXPECT_GE(files.waitPolls, shortPress ? 3 : 2);
            // The scan is over and its listing of b still hangs: nothing waited for it.
            EXPECT_EQ(reader->HeldReads(), 1);
            EXPECT_GE(FolderPrefetcher::AbandonedReads(), 1u);
            reader->Release();
            WaitUntilAllReadsEnded();
            EXPECT_EQ(FolderPrefetcher::AbandonedReads(), 0u);
            EXPECT_EQ(reader.use_count(), 1) << "a thread or its pool outlived the read";
            EXPECT_EQ(reader->PlacesAlive(), 0);
        }
    }
}

TEST_F(ReadAheadStop, TheEndOfTheScanLeavesAHungReadAheadBehind) {
    // Only the root is listed by the walk; the pool reads its subfolders ahead all the same.
    reader->Hold("b");
    ReaderFiles files(reader, kPool);
    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = false;
    // The scan goes on from the root's listing once b's read ahead hangs.
    desktop.escapeScript = [&](int) {
        for (int i = 0; i < 2000 && reader->HeldReads() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return false;
    };
    FolderScan scan(nodes, files, desktop, interrupted);
    scan.Use(DepthOf(1));
    scan.Run("x:\\", "x:\\");
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(nodes), (std::vector<std::string>{"", ".a", ".b", ".c"}));
    EXPECT_EQ(files.waitPolls, 0);
    EXPECT_EQ(reader->HeldReads(), 1);
    reader->Release();
    WaitUntilAllReadsEnded();
    EXPECT_EQ(reader.use_count(), 1);
    EXPECT_EQ(reader->PlacesAlive(), 0);
}

TEST_F(ReadAheadStop, ScansStartedWhileAnEarlierListingStillHangsWorkNormallyAndShareIt) {
    reader->Hold("b");
    ReaderFiles files(reader, kPool);
    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = false;
    // Two scans stopped at b: the second waits for the first one's listing rather than
    // list b again, so one listing hangs however often the user tries.
    for (int scan = 0; scan < 2; ++scan) {
        files.waitPolls = 0;
        desktop.escapeScript = [&](int) { return files.waitPolls >= 2; };
        FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\");
        ASSERT_EQ(Tree(nodes), kCutAtB);
        EXPECT_EQ(reader->HeldReads(), 1);
        EXPECT_EQ(FolderPrefetcher::AbandonedReads(), 1u);
    }

    // The third reaches b too; the hang ends while it waits there, and it goes on to the end
    // with that listing.
    files.waitPolls = 0;
    desktop.escapeScript = [&](int) {
        if (files.waitPolls == 2) reader->Release();
        return false;
    };
    FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\");
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Tree(nodes), kWhole);
    WaitUntilAllReadsEnded();
    EXPECT_EQ(FolderPrefetcher::AbandonedReads(), 0u);
    EXPECT_EQ(reader.use_count(), 1);
    EXPECT_EQ(reader->PlacesAlive(), 0);
    const std::vector<std::string> reads = reader->Reads();
    EXPECT_EQ(std::count(reads.begin(), reads.end(), "b"), 1);
    EXPECT_EQ(std::count(reads.begin(), reads.end(), "a/a1"), 3);

    // Once it has come back, the next scan lists b itself.
    FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\");
    EXPECT_EQ(Tree(nodes), kWhole);
    const std::vector<std::string> after = reader->Reads();
    EXPECT_EQ(std::count(after.begin(), after.end(), "b"), 2);
}

TEST_F(ReadAheadStop, MemoryRunningOutOnThePoolAtAnyPointLeavesTheWholeTreeToTheWalk) {
    // 296 folders of a random shape below those of the fixture.
    unsigned seed = 7;
    std::vector<std::string> paths{"a", "b", "c"};
    for (int i = 0; i < 296; ++i) {
        seed = seed * 1103515245u + 12345u;
        paths.push_back(paths[(seed >> 8) % paths.size()] + "/f" + std::to_string(i));
        reader->AddFolder(paths.back());
    }
    testThread = std::this_thread::get_id();
    auto scan = [&](long failFrom) {
        ReaderFiles files(reader, kPool);
        platform::FakeDesktop desktop;
        // A folder the pool never hands on would be waited for until ESC: ten seconds of it.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        desktop.escapeScript = [&](int) { return std::chrono::steady_clock::now() > end; };
        TTreeNodes nodes;
        bool interrupted = false;
        poolAllocationsLeft = failFrom;
        FolderScan(nodes, files, desktop, interrupted).Run("x:\\", "x:\\");
        poolAllocationsLeft = -1;
        EXPECT_FALSE(interrupted) << "the pool's allocations failing from the " << failFrom << "th";
        return Tree(nodes);
    };
    const std::vector<std::string> whole = scan(-1);
    ASSERT_EQ(whole.size(), kWhole.size() + 296);
    // From the first allocation of the pool to well past its reads, trips included.
    for (long failFrom = 0; failFrom < 3000; failFrom += 1 + failFrom / 8) {
        ASSERT_EQ(scan(failFrom), whole) << "the pool's allocations failing from the " << failFrom << "th";
        WaitUntilAllReadsEnded();
    }
}

}  // namespace
