// Listings read ahead on a pool of threads give the tree the walk alone gives, on real folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "doubles/CustomWalkFiles.h"
#include "doubles/FakeDesktop.h"
#include "platform/ReadAheadWalk.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFolderReader.h"
#include "platform/posix/PosixFolderWalk.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"

namespace {

namespace fs = std::filesystem;

int CountIn(const char* folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
    return count;
}
// The threads of this process once the reads under way have ended: a scan waits a moment
// for them and leaves behind only one that does not end, which ends on its own later.
int Threads() {
    for (int i = 0; i < 2000 && platform::FolderPrefetcher::AbandonedReads(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    int count = CountIn("/proc/self/task");
    for (int i = 0; i < 200 && count != CountIn("/proc/self/task"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        count = CountIn("/proc/self/task");
    }
    return count;
}
int Descriptors() { return CountIn("/proc/self/fd"); }

// The program's file system, its walks handed out with given read-ahead limits (no
// threads: the walk alone) and a hook run before every listing.
class HookedFiles final : public platform::CustomWalkFiles {
public:
    explicit HookedFiles(platform::ReadAheadLimits limits) : limits_(limits) {}
    std::function<void(int listing)> beforeListing;
    std::size_t peakBytes = 0;

    std::unique_ptr<platform::FolderWalk> Walk(const std::string& folder) override {
        return std::make_unique<Hooked>(*this, folder);
    }

private:
    class Hooked final : public platform::FolderWalk {
    public:
        Hooked(HookedFiles& files, const std::string& folder) : files_(files) {
            if (files.limits_.threads)
                readAhead_ = std::make_unique<platform::ReadAheadWalk>(
                    std::make_shared<platform::PosixFolderReader>(folder), files.limits_);
            else
                alone_ = std::make_unique<platform::PosixFolderWalk>(folder);
        }
        ~Hooked() override {
            if (readAhead_) files_.peakBytes = std::max(files_.peakBytes, readAhead_->PeakBytes());
        }
        void Enter(std::string_view name) override { Walk().Enter(name); }
        void Leave() override { Walk().Leave(); }
        // Not handed on: the polls compared here are those between listings, which a slow
        // moment of the machine cannot add to (the polls of a wait: read_ahead_stop_test).
        void WatchForStop(std::function<bool()>) override {}
        std::unique_ptr<platform::FolderListing> List(std::uint32_t filter) override {
            if (files_.beforeListing) files_.beforeListing(listings_);
            ++listings_;
            return Walk().List(filter);
        }

    private:
        platform::FolderWalk& Walk() { return readAhead_ ? static_cast<platform::FolderWalk&>(*readAhead_) : *alone_; }
        HookedFiles& files_;
        std::unique_ptr<platform::ReadAheadWalk> readAhead_;
        std::unique_ptr<platform::PosixFolderWalk> alone_;
        int listings_ = 0;
    };

    platform::ReadAheadLimits limits_;
};

// The program's pool and bounds. Folders in memory would never start the pool (their
// reads are quick): here it starts at once.
constexpr platform::ReadAheadLimits kAlone{0, 0, 0};
constexpr platform::ReadAheadLimits kProgram{platform::PosixFileSystem::kReadAheadThreads,
                                             platform::PosixFileSystem::kFoldersAhead,
                                             platform::PosixFileSystem::kBytesAhead};
constexpr platform::ReadAheadLimits kNarrow{3, 4, 4096};  // held back all the time

struct Outcome {
    std::vector<std::string> tree;  // each node's depth in dots and native name, pre-order
    int polls = 0;
    bool interrupted = false;
    bool operator==(const Outcome&) const = default;
};

class ReadAheadTest : public ::testing::Test {
protected:
    ReadAheadTest() {
        std::string pattern =
            (fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") + std::string("/orvale-read-ahead-XXXXXX");
        root = mkdtemp(pattern.data());
        chmod(root.c_str(), 0755);
    }
    ~ReadAheadTest() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(root, ignored))
            if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::all, ignored);
        fs::remove_all(root, ignored);
    }

    std::string Path(const std::string& relative) const { return root + "/" + relative; }
    void Folder(const std::string& relative) { fs::create_directories(Path(relative)); }

    Outcome Scan(HookedFiles& files, const std::function<bool(int)>& escape = nullptr) {
        platform::FakeDesktop desktop;
        desktop.escapeScript = escape;
        TTreeNodes nodes;
        Outcome outcome;
        FolderScan(nodes, files, desktop, outcome.interrupted).Run("c:\\", root + "/");
        for (const TTreeNode* node = nodes.FirstNode(); node; node = node->NextInOrder())
            outcome.tree.push_back(std::string(node->Depth(), '.') + (node->Depth() ? node->NativeName() : ""));
        outcome.polls = desktop.polls;
        return outcome;
    }
    Outcome Scan(platform::ReadAheadLimits limits, const std::function<bool(int)>& escape = nullptr) {
        HookedFiles files(limits);
        return Scan(files, escape);
    }

    // Folders below random earlier ones, with names that sort in awkward ways, files and links.
    void RandomTree(unsigned seed, int count) {
        static const char* const kNames[] = {"a", "A", "b", "Ab", "aB", "ａ", "Ａ", "日本", "カナ", "_", ".d", "\xFF"};
        std::mt19937 random(seed);
        std::vector<std::string> folders{""};
        for (int i = 0; i < count; ++i) {
            const std::string& parent = folders[random() % folders.size()];
            std::string name = kNames[random() % std::size(kNames)];
            if (random() % 2) name += std::to_string(random() % 40);
            const std::string path = parent.empty() ? name : parent + "/" + name;
            switch (random() % 10) {
                case 0: close(open(Path(path).c_str(), O_CREAT | O_WRONLY, 0644)); break;
                case 1: symlink(Path(folders[random() % folders.size()]).c_str(), Path(path).c_str()); break;
                default:
                    if (mkdir(Path(path).c_str(), 0755) == 0) folders.push_back(path);
            }
        }
    }

    std::string root;
};

TEST_F(ReadAheadTest, RandomShapesGiveTheTreeAndPollsOfTheWalkAlone) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        RandomTree(seed, 1500);
        const Outcome alone = Scan(kAlone);
        EXPECT_GT(alone.tree.size(), 500u);
        EXPECT_EQ(Scan(kProgram), alone) << "seed " << seed;
        EXPECT_EQ(Scan(kNarrow), alone) << "seed " << seed;
        EXPECT_EQ(Scan({1, 1, std::size_t(1) << 20}), alone) << "seed " << seed;  // one folder ahead
        fs::remove_all(root);
        fs::create_directory(root);
    }
}

TEST_F(ReadAheadTest, EscMidScanStopsThePoolAtOnceAndLeavesTheTreeOfTheWalkAlone) {
    RandomTree(7, 3000);
    const int threads = Threads(), descriptors = Descriptors();
    for (int stop : {0, 1, 2, 50, 400, 2000}) {
        auto escape = [stop](int poll) { return poll == stop; };
        const Outcome alone = Scan(kAlone, escape);
        ASSERT_TRUE(alone.interrupted) << stop;
        EXPECT_EQ(Scan(kProgram, escape), alone) << "ESC at poll " << stop;
        EXPECT_EQ(Scan(kNarrow, escape), alone) << "ESC at poll " << stop;
        EXPECT_EQ(Threads(), threads);
        EXPECT_EQ(Descriptors(), descriptors);
    }
    // A complete scan and one right after it end the same way.
    Scan(kProgram);
    Scan(kProgram);
    EXPECT_EQ(Threads(), threads);
    EXPECT_EQ(Descriptors(), descriptors);
}

TEST_F(ReadAheadTest, DeepChainWithSideBranchesKeepsDescriptorsInCheck) {
    constexpr int kDepth = 600;  // far more levels than descriptors are held for
    std::string chain;
    for (int i = 0; i < kDepth; ++i) {
        chain += (i ? "/" : "") + std::string("chain");
        Folder(chain + "/side");
    }
    const int descriptors = Descriptors();
    for (platform::ReadAheadLimits limits : {kAlone, kProgram}) {
        HookedFiles files(limits);
        int most = 0;
        files.beforeListing = [&](int listing) {
            if (listing % 25 == 0) most = std::max(most, Descriptors());
        };
        const Outcome outcome = Scan(files);
        EXPECT_EQ(outcome.tree.size(), 2u * kDepth + 1) << limits.threads;
        EXPECT_EQ(outcome.tree[kDepth], std::string(kDepth, '.') + "chain");
        EXPECT_LT(most, descriptors + 160) << limits.threads;
        EXPECT_EQ(Descriptors(), descriptors);
    }
    EXPECT_EQ(Scan(kProgram), Scan(kAlone));
}

TEST_F(ReadAheadTest, FolderReadAheadThenRemovedKeepsWhatItHeldAtThatMoment) {
    // b..y each hold a folder; while the walk lists a, they are read ahead, then removed.
    for (char c = 'a'; c < 'z'; ++c) Folder(std::string(1, c) + "/inner");
    auto hook = [&](int listing) {
        if (listing != 1) return;  // listing 0 is the root, 1 is a
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (char c = 'b'; c < 'z'; ++c) fs::remove_all(Path(std::string(1, c)));
    };
    HookedFiles alone(kAlone), readAhead(kProgram);
    alone.beforeListing = readAhead.beforeListing = hook;
    const Outcome walkedAlone = Scan(alone);
    for (char c = 'a'; c < 'z'; ++c) Folder(std::string(1, c) + "/inner");
    const Outcome readAheadOutcome = Scan(readAhead);
    // Alone: b..y were gone when reached, so they have no children.
    std::vector<std::string> expected = {"", ".a", "..inner"};
    for (char c = 'b'; c < 'z'; ++c) expected.push_back("." + std::string(1, c));
    EXPECT_EQ(walkedAlone.tree, expected);
    // Read ahead: each was listed before it went, its subfolder with it (listed later, gone
    // by then, so childless: a folder listed at some moment all the same).
    expected = {"", ".a", "..inner"};
    for (char c = 'b'; c < 'z'; ++c) {
        expected.push_back("." + std::string(1, c));
        expected.push_back("..inner");
    }
    EXPECT_EQ(readAheadOutcome.tree, expected);
}

TEST_F(ReadAheadTest, FoldersChangedMidScanGiveAListingOfSomeMomentNeverALinkFollowed) {
    // When the walk reaches m, n becomes a link to a full folder, o a file, new folders come
    // into p and the root; each folder's children are then either those before the change
    // or those after it.
    Folder("m/m1");
    Folder("n/n1");
    Folder("o/o1");
    Folder("p/p1");
    Folder("target/t1/t2");
    for (platform::ReadAheadLimits limits : {kAlone, kProgram, kNarrow}) {
        HookedFiles files(limits);
        files.beforeListing = [&](int listing) {
            if (listing != 1) return;
            fs::remove_all(Path("n"));
            symlink(Path("target").c_str(), Path("n").c_str());
            fs::remove_all(Path("o"));
            close(open(Path("o").c_str(), O_CREAT | O_WRONLY, 0644));
            Folder("p/p0");
            Folder("p/p2");
            Folder("new");
        };
        const Outcome outcome = Scan(files);
        EXPECT_FALSE(outcome.interrupted);
        // n and o each as before or after; p as before, after, or between the two folders
        // made in it (a listing may fall between them).
        std::vector<std::vector<std::string>> allowed;
        for (const bool nBefore : {false, true})
            for (const bool oBefore : {false, true})
                for (const std::vector<std::string>& pChildren :
                     std::vector<std::vector<std::string>>{{"..p1"}, {"..p0", "..p1"}, {"..p0", "..p1", "..p2"}}) {
                    std::vector<std::string> tree = {"", ".m", "..m1", ".n"};
                    if (nBefore) tree.push_back("..n1");
                    tree.push_back(".o");
                    if (oBefore) tree.push_back("..o1");
                    tree.push_back(".p");
                    tree.insert(tree.end(), pChildren.begin(), pChildren.end());
                    tree.insert(tree.end(), {".target", "..t1", "...t2"});
                    allowed.push_back(tree);
                }
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), outcome.tree), allowed.end())
            << ::testing::PrintToString(outcome.tree) << " threads " << limits.threads;
        if (!limits.threads) {
            // Alone, every one is read after the change.
            EXPECT_EQ(outcome.tree, (std::vector<std::string>{"", ".m", "..m1", ".n", ".o", ".p", "..p0", "..p1",
                                                              "..p2", ".target", "..t1", "...t2"}));
        }
        // Put everything back for the next round.
        for (const char* name : {"n", "o", "new", "p/p0", "p/p2"}) fs::remove_all(Path(name));
        Folder("n/n1");
        Folder("o/o1");
    }
}

TEST_F(ReadAheadTest, FoldersTheSystemRefusesAreChildlessAsWhenWalkingAlone) {
    // The superuser reads everything: an ordinary user in a child process is refused.
    Folder("closed/inside");          // no permission at all
    Folder("listable/shut/deeper");   // may be listed, but nothing below may be opened
    Folder("enterable/kept/deeper");  // may be opened and passed through, not listed
    Folder("open/inside");
    chmod(Path("closed").c_str(), 0);
    chmod(Path("listable").c_str(), 0444);
    chmod(Path("enterable").c_str(), 0311);
    const int result = [&] {
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
            const Outcome alone = Scan(kAlone);
            const std::vector<std::string> expected = {"",       ".closed", ".enterable", ".listable",
                                                       "..shut", ".open",   "..inside"};
            if (alone.tree != expected) _exit(1);
            if (Scan(kProgram) != alone) _exit(2);
            _exit(Scan(kNarrow) == alone ? 0 : 3);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
    }();
    if (result == 77) GTEST_SKIP() << "cannot change to an ordinary user";
    EXPECT_EQ(result, 0);
}

TEST_F(ReadAheadTest, ThePoolStopsAtItsBoundWhenTheWalkIsSlow) {
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 50; ++j) Folder("f" + std::to_string(i) + "/g" + std::to_string(j));
    constexpr platform::ReadAheadLimits kBounded{8, 64, 64 * 1024};
    HookedFiles bounded(kBounded), unbounded({8, 100000, std::size_t(1) << 40});
    // A slow walk: the pool has all the time it wants to run ahead.
    auto slow = [](int) { std::this_thread::sleep_for(std::chrono::microseconds(200)); };
    bounded.beforeListing = unbounded.beforeListing = slow;
    const Outcome held = Scan(bounded);
    EXPECT_EQ(held, Scan(unbounded));
    EXPECT_EQ(held.tree.size(), 1u + 40 + 40 * 50);
    // Over the bound by at most what the threads were reading when it was reached: one
    // listing of 50 entries and its folders each.
    EXPECT_LT(bounded.peakBytes, kBounded.bytesAhead + kBounded.threads * 16 * 1024);
    EXPECT_GT(unbounded.peakBytes, 4 * bounded.peakBytes);
}

}  // namespace
