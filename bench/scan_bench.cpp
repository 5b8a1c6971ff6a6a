// The folder scan beside its peers, all in one call. Warm cache, on trees of 100,000 and
// 1,000,000 folders (two files a folder): the scan as the program runs it (store filled,
// nothing shown, listings read ahead), the scan listing the files too (orvale-tree -f), the
// same scan walking alone on one thread, a bare getdents walk, that walk reading its listings as the program does,
// `find -type d` and `fdfind -j 2 -u`. Cold cache (dropped before every run), on the 100,000-folder tree: the scan, the
// scan walking alone, the bare walk, `find -type d` and `fdfind -j 64`. Then the store's memory per node, the
// read-ahead's peak memory and the scan's growth on a deep chain and on one wide folder. Arguments: [folder for the
// trees, on a disk] [warm | warm-small | warm-big | cold | growth | pool | profile | profile-big]: only that part
// (pool: cold scans by pool size and window; profile: the program's scan alone on the 100,000-folder tree, ten times,
// for a profiler, with each round's processor time and context switches; profile-big: the same on 1,000,000).
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/Contest.h"
#include "bench/TreeGenerator.h"
#include "doubles/CustomWalkFiles.h"
#include "platform/Attributes.h"
#include "platform/ReadAheadWalk.h"
#include "platform/posix/PosixDesktop.h"
#include "platform/posix/PosixDriveSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFolderReader.h"
#include "platform/posix/ReadEntries.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"

namespace {

using bench::BareWalk;
using bench::BestOfRounds;
using bench::Command;
using bench::Seconds;

// The trees: 100,000 folders (warm, and cold with the caches dropped) and 1,000,000 (warm).
constexpr int kSmallFolders = 100000;
constexpr int kSmallFiles = 200000;
constexpr int kBigFolders = 1000000;
constexpr int kBigFiles = 2000000;
constexpr int kRounds = 3;
constexpr int kColdRounds = 2;

// The bare walk reading each listing to its end and sorting it as the program's listing
// does, so that beside the bare walk it shows what the name order costs.
long SortedBareWalk(const std::string& root) {
    static std::vector<char> buffer(64 * 1024);
    long folders = 1;
    std::function<void(int)> walk = [&](int fd) {
        const platform::FolderEntries entries = platform::ReadEntries(fd, buffer, platform::kFolderScanFilter, false);
        for (std::size_t i = 0; i < entries.Count(); ++i) {
            const std::string_view name = entries.Name(i);
            if (!(entries.Attributes(i) & platform::faDirectory) || name == "." || name == "..") continue;
            const int child = openat(fd, name.data(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) continue;
            ++folders;
            walk(child);
            close(child);
        }
    };
    const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    walk(fd);
    close(fd);
    return folders;
}

struct ScanResult {
    int nodes = 0;
    std::size_t heapBytes = 0;
    std::size_t nodeBytes = 0;
    std::size_t nameBytes = 0;
};

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap held by a string beyond its own object (short names live inside it).
std::size_t NameHeap(const std::string& text) { return text.capacity() > 15 ? text.capacity() + 1 : 0; }

// The program's file system with a given pool, keeping the read-ahead's peak memory.
class MeasuredFiles final : public platform::CustomWalkFiles {
public:
    // The program's pool and bounds, with another pool size or window where given.
    explicit MeasuredFiles(std::size_t threads = platform::PosixFileSystem::kReadAheadThreads,
                           std::size_t foldersAhead = platform::PosixFileSystem::kFoldersAhead)
        : limits_{threads, foldersAhead, platform::PosixFileSystem::kBytesAhead,
                  platform::PosixFileSystem::FirstReadAheadThreads()} {}
    std::unique_ptr<platform::FolderWalk> Walk(const std::string& folder) override {
        if (!limits_.threads) return plain_.Walk(folder);
        return std::make_unique<PeakKept>(
            std::make_unique<platform::ReadAheadWalk>(std::make_shared<platform::PosixFolderReader>(folder), limits_),
            peakBytes);
    }

    std::size_t peakBytes = 0;

private:
    // Hands every call on; notes the read-ahead's peak when the walk ends.
    class PeakKept final : public platform::FolderWalk {
    public:
        PeakKept(std::unique_ptr<platform::ReadAheadWalk> walk, std::size_t& peak)
            : walk_(std::move(walk)), peak_(peak) {}
        ~PeakKept() override { peak_ = std::max(peak_, walk_->PeakBytes()); }
        void Enter(std::string_view name) override { walk_->Enter(name); }
        void Leave() override { walk_->Leave(); }
        void WatchForStop(std::function<bool()> stopAsked) override { walk_->WatchForStop(std::move(stopAsked)); }
        std::unique_ptr<platform::FolderListing> List(std::uint32_t filter) override { return walk_->List(filter); }

    private:
        std::unique_ptr<platform::ReadAheadWalk> walk_;
        std::size_t& peak_;
    };

    platform::ReadAheadLimits limits_;
};

ScanResult Scan(const std::string& root, platform::FileSystem& files, const ScanOptions& options = {}) {
    platform::PosixDesktop desktop("");
    bool interrupted = false;
    ScanResult result;
    const std::size_t before = HeapInUse();
    TTreeNodes nodes;
    FolderScan scan(nodes, files, desktop, interrupted);
    scan.Use(options);
    scan.Run("c:\\", root);
    result.heapBytes = HeapInUse() - before;
    result.nodes = nodes.NodeCount();
    result.nodeBytes = nodes.NodeBytes();
    for (const TTreeNode* node = nodes.FirstNode(); node; node = node->NextInOrder())
        result.nameBytes +=
            NameHeap(node->Text()) + (&node->NativeName() != &node->Text() ? NameHeap(node->NativeName()) : 0);
    return result;
}

void Growth(const char* what, const std::string& root, int n,
            const std::function<void(const std::string&, int)>& make) {
    MeasuredFiles readAhead;
    std::vector<double> times[2];
    long walked[2];
    for (int k = 0; k < 2; ++k) {
        make(root, n << k);
        sync();  // the new folders written out before anything is timed
        walked[k] = BareWalk(root) - 1;
        times[k] = BestOfRounds(kRounds, {[&] { Scan(root + "/", readAhead); }, [&] { BareWalk(root); }});
    }
    bench::RemoveTree(root);
    std::printf("%-18s scan n=%-6d %7.3f s  2n %7.3f s  ratio %.2f (linear: 2.00)\n", what, n, times[0][0], times[1][0],
                times[1][0] / times[0][0]);
    // The bare walk holds a descriptor per level, so a chain deeper than the limit stops it.
    std::printf("%-18s bare walk     %7.3f s     %7.3f s  (walked %ld and %ld of %d and %d folders)\n", "", times[0][1],
                times[1][1], walked[0], walked[1], n, 2 * n);
}

void Compare(const std::string& tree, int folders);
void Profile(const std::string& tree);
void CompareCold(const std::string& tree);
void ComparePools(const std::string& tree);

bool Installed(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    unsetenv("DISPLAY");  // ESC polls as on a machine with no X server: the scan, not the X round trip
    const std::string base = argc > 1 ? argv[1] : "/tmp/orvale-bench";
    const std::string small = base + "/cold", big = base + "/big";
    const std::string mode = argc > 2 ? argv[2] : "";
    mkdir(base.c_str(), 0755);
    // Listing ahead holds a descriptor or so per thread beyond the walk's own.
    struct rlimit files {};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    auto generate = [](const std::string& root, int folders, int fileCount) {
        std::printf("generating %d folders and %d files under %s (kept for later runs)...\n", folders, fileCount,
                    root.c_str());
        std::fflush(stdout);
        bench::GenerateTree(root, folders, fileCount);
    };
    if (mode != "growth" && mode != "profile-big") generate(small, kSmallFolders, kSmallFiles);
    if (mode == "profile" || mode == "profile-big") {
        const std::string tree = mode == "profile" ? small : big;
        if (tree == big) generate(big, kBigFolders, kBigFiles);
        Profile(tree);
        return 0;
    }
    if (mode == "pool") {
        ComparePools(small);
        return 0;
    }
    if (mode == "" || mode == "warm" || mode == "warm-small") Compare(small, kSmallFolders);
    if (mode == "" || mode == "warm" || mode == "warm-big") {
        generate(big, kBigFolders, kBigFiles);
        Compare(big, kBigFolders);
    }
    if (mode == "" || mode == "cold") CompareCold(small);
    if (mode == "" || mode == "growth") {
        Growth("chain, deep", base + "/chain", 20000, bench::GenerateChain);
        Growth("one folder, wide", base + "/wide", 100000, bench::GenerateWide);
    }
    return 0;
}

namespace {

// The scan against the plainest walk and the peers, warm, with a breakdown by step: what
// the listings cost as the program reads them (files passed over, folders in name order),
// what the scan costs walking alone, and what the read-ahead brings.
void Compare(const std::string& tree, int folders) {
    MeasuredFiles first, readAhead, alone(0), withFiles;
    ScanOptions files;
    files.files = true;
    const long walked = BareWalk(tree);  // warms the cache
    const ScanResult result = Scan(tree + "/", first);
    std::printf("folders: bare walk %ld, scan %d nodes, with files %d\n\n", walked, result.nodes,
                Scan(tree + "/", withFiles, files).nodes);

    std::vector<std::function<void()>> contestants = {[&] { Scan(tree + "/", readAhead); },
                                                      [&] { Scan(tree + "/", alone); },
                                                      [&] { BareWalk(tree); },
                                                      [&] { SortedBareWalk(tree); },
                                                      Command("find " + tree + " -type d"),
                                                      [&] { Scan(tree + "/", withFiles, files); }};
    const bool fd = Installed("fdfind");
    // Every folder, hidden ones and ignored ones too, as the scan lists them.
    if (fd) contestants.push_back(Command("fdfind -j 2 -u -t d . " + tree));
    const std::vector<double> best = BestOfRounds(kRounds, contestants);
    const double scan = best[0], scanAlone = best[1], bare = best[2], sorted = best[3], find = best[4];
    const double scanFiles = best[5];
    std::printf("warm cache, %d folders, best of %d rounds\n", folders, kRounds);
    std::printf("scan (store filled)         %8.3f s\n", scan);
    std::printf("scan, walking alone         %8.3f s\n", scanAlone);
    std::printf("bare getdents walk          %8.3f s\n", bare);
    std::printf("bare walk, program listings %8.3f s\n", sorted);
    std::printf("find DIR -type d            %8.3f s\n", find);
    std::printf("scan with files             %8.3f s\n", scanFiles);
    if (fd) std::printf("fdfind -j 2 -u -t d         %8.3f s\n", best[6]);
    std::printf("scan / bare walk            %8.2f   (target <= 1.00)\n", scan / bare);
    std::printf("scan with files / bare walk %8.2f   (target <= 1.20)\n", scanFiles / bare);
    std::printf("with files / scan           %8.2f\n", scanFiles / scan);
    if (fd) std::printf("scan / fdfind -j 2 -u       %8.2f   (target < 1.00)\n", scan / best[6]);
    std::printf("scan / scan walking alone   %8.2f\n", scan / scanAlone);
    std::printf("walking alone / bare walk   %8.2f   (the scan and its store on one thread)\n", scanAlone / bare);
    std::printf("program listings / bare     %8.2f   (files passed over, folders in name order)\n", sorted / bare);
    std::printf("find / scan                 %8.2f\n", find / scan);
    std::printf("read-ahead peak heap        %8.1f KiB (0: the pool never started)\n\n",
                double(readAhead.peakBytes) / 1024);

    const double perNode = double(result.nodeBytes) / result.nodes;
    const double heapPerNode = double(result.heapBytes - result.nameBytes) / result.nodes;
    std::printf("store: %zu bytes of nodes (%.1f per node, target < 150), names %zu bytes beyond\n", result.nodeBytes,
                perNode, result.nameBytes);
    std::printf("heap grown by the scan: %.1f bytes per node besides the names\n\n", heapPerNode);
}

// The program's scan alone, round after round, for a profiler: each round's time, the
// processor time it took on every core and on the walk's thread, how often its threads slept
// or were put aside, and its page faults.
void Profile(const std::string& tree) {
    MeasuredFiles readAhead;
    BareWalk(tree);  // warms the cache
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    for (int round = 0; round < 10; ++round) {
        struct rusage before {
        }, after{}, walkBefore{}, walkAfter{};
        getrusage(RUSAGE_SELF, &before);
        getrusage(RUSAGE_THREAD, &walkBefore);
        const double wall = Seconds([&] { Scan(tree + "/", readAhead); });
        getrusage(RUSAGE_THREAD, &walkAfter);
        getrusage(RUSAGE_SELF, &after);
        const auto used = [&](const rusage& from, const rusage& to) {
            return seconds(to.ru_utime) + seconds(to.ru_stime) - seconds(from.ru_utime) - seconds(from.ru_stime);
        };
        std::printf(
            "scan %.3f s  user %.3f s  system %.3f s  walk's thread %.3f s  slept %ld  put aside %ld  "
            "page faults %ld\n",
            wall, seconds(after.ru_utime) - seconds(before.ru_utime),
            seconds(after.ru_stime) - seconds(before.ru_stime), used(walkBefore, walkAfter),
            after.ru_nvcsw - before.ru_nvcsw, after.ru_nivcsw - before.ru_nivcsw, after.ru_minflt - before.ru_minflt);
    }
}

// Empties the page, dentry and inode caches; false (with the reason) where refused.
bool DropCaches(std::string& why) {
    sync();
    std::ofstream control("/proc/sys/vm/drop_caches");
    if (!(control << "3" << std::flush)) {
        why = "cannot write /proc/sys/vm/drop_caches (needs root outside a container)";
        return false;
    }
    return true;
}

// Each contestant's best of kColdRounds rounds, the caches dropped before every run.
bool BestCold(const std::vector<std::function<void()>>& contestants, std::vector<double>& best) {
    best.assign(contestants.size(), 1e9);
    for (int round = 0; round < kColdRounds; ++round)
        for (std::size_t i = 0; i < contestants.size(); ++i) {
            std::string why;
            if (!DropCaches(why)) {
                std::printf("cold rounds skipped: %s\n\n", why.c_str());
                return false;
            }
            best[i] = std::min(best[i], Seconds(contestants[i]));
        }
    return true;
}

void CompareCold(const std::string& tree) {
    MeasuredFiles readAhead, alone(0);
    std::vector<std::function<void()>> contestants = {[&] { Scan(tree + "/", readAhead); },
                                                      [&] { Scan(tree + "/", alone); }, [&] { BareWalk(tree); },
                                                      Command("find " + tree + " -type d")};
    const bool fd = Installed("fdfind");
    // Every folder, hidden ones and ignored ones too, as the others list them.
    if (fd) contestants.push_back(Command("fdfind -j 64 -H -I -t d . " + tree));
    std::vector<double> best;
    if (!BestCold(contestants, best)) return;
    const double scan = best[0], scanAlone = best[1], bare = best[2], find = best[3];
    std::printf("cold cache, %d folders, best of %d rounds\n", kSmallFolders, kColdRounds);
    std::printf("scan (store filled)         %8.3f s\n", scan);
    std::printf("scan, walking alone         %8.3f s\n", scanAlone);
    std::printf("bare getdents walk          %8.3f s\n", bare);
    std::printf("find DIR -type d            %8.3f s\n", find);
    if (fd) {
        std::printf("fdfind -j 64 -t d           %8.3f s\n", best[4]);
        std::printf("scan / fdfind -j 64         %8.2f   (target <= 1.00)\n", scan / best[4]);
    } else {
        std::printf("fdfind -j 64                skipped: fdfind is not installed (Debian package fd-find)\n");
    }
    std::printf("scan / scan walking alone   %8.2f\n", scan / scanAlone);
    std::printf("scan / bare walk            %8.2f\n", scan / bare);
    std::printf("find / scan                 %8.2f\n", find / scan);
    std::printf("read-ahead peak heap        %8.1f KiB (bounds: %zu folders, %zu KiB ahead)\n\n",
                double(readAhead.peakBytes) / 1024, platform::PosixFileSystem::kFoldersAhead,
                platform::PosixFileSystem::kBytesAhead / 1024);

    // The same tree once it is in memory: there the pool must cost next to nothing.
    BareWalk(tree);
    MeasuredFiles warmReadAhead;
    const std::vector<double> warm = BestOfRounds(
        kRounds, {[&] { Scan(tree + "/", warmReadAhead); }, [&] { Scan(tree + "/", alone); }, [&] { BareWalk(tree); }});
    std::printf("warm cache, same tree, best of %d rounds\n", kRounds);
    std::printf("scan (store filled)         %8.3f s\n", warm[0]);
    std::printf("scan, walking alone         %8.3f s\n", warm[1]);
    std::printf("bare getdents walk          %8.3f s\n", warm[2]);
    std::printf("scan / bare walk            %8.2f   (target <= 1.10)\n", warm[0] / warm[2]);
    std::printf("scan / scan walking alone   %8.2f\n", warm[0] / warm[1]);
    std::printf("read-ahead peak heap        %8.1f KiB (0: the pool never started)\n\n",
                double(warmReadAhead.peakBytes) / 1024);
}

// Cold scans by pool size and window, and warm ones beside them: where more stops helping.
void ComparePools(const std::string& tree) {
    const std::pair<std::size_t, std::size_t> pools[] = {{0, 0},     {4, 4096},  {8, 4096},  {16, 1024},
                                                         {16, 4096}, {32, 4096}, {64, 4096}, {64, 16384}};
    std::vector<std::unique_ptr<MeasuredFiles>> files;
    std::vector<std::function<void()>> contestants;
    for (const auto& [threads, window] : pools) {
        files.push_back(std::make_unique<MeasuredFiles>(threads, window));
        contestants.push_back([&tree, &measured = *files.back()] { Scan(tree + "/", measured); });
    }
    contestants.push_back(Command("fdfind -j 64 -H -I -t d . " + tree));
    std::vector<double> cold;
    if (!BestCold(contestants, cold)) return;
    std::printf("pool size   window   cold s   peak KiB\n");
    for (std::size_t i = 0; i < files.size(); ++i)
        std::printf("%9zu %8zu %8.3f %10.1f\n", pools[i].first, pools[i].second, cold[i],
                    double(files[i]->peakBytes) / 1024);
    std::printf("fdfind -j 64       %8.3f\n", cold.back());
}

}  // namespace
