#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/FolderEntries.h"
#include "platform/FolderReader.h"

namespace platform {

// How far a read-ahead may run.
struct ReadAheadLimits {
    std::size_t threads = 0;
    // Folders read (or being read) and not yet taken by the walk.
    std::size_t foldersAhead = 0;
    // Heap held for the walk ahead of it; once past it no further folder is started.
    std::size_t bytesAhead = 0;
    // Threads reading until listings are seen to wait for their file system; then the pool
    // grows to `threads`. A remote file system has them all from the start.
    std::size_t firstThreads = SIZE_MAX;
};

// The program's read-ahead on both systems. Cold scans of a 100,000-folder tree on this
// project's virtual disk (scan_bench pool), as a share of the time walking alone: 4 threads
// 0.57, 8 0.56, 16 0.43, 32 0.41, 64 0.39. Past 32 the gain is within the noise of one run
// to the next.
inline constexpr std::size_t kReadAheadThreads = 32;
// Folders the read-ahead may run ahead of the walk: enough that one slow folder at the
// walk's place does not hold the pool back. The heap it may hold doing so: a bound for trees
// of huge folders, where a few thousand listings would take much more.
inline constexpr std::size_t kFoldersAhead = 4096;
inline constexpr std::size_t kBytesAhead = 8 << 20;
// Threads reading ahead before any listing is seen to wait (a warm cache): two a core, so
// that a reader held up by the shared lock or a page of the cache leaves its core to another
// one while the walk appends. Warm 100,000-folder scans on two idle cores (scan_bench), as a
// share of the bare one-thread walk: one reader 1.55, two 1.07 to 1.11, three 0.99 to 1.02,
// four 0.95 to 0.99, six 0.95; with the other core busy, two 1.37 and four 1.43.
std::size_t FirstReadAheadThreads();

// Reads the folders of a drive ahead of a depth-first pre-order walk over their listings,
// on a small pool of threads: every listing read tells which folders come next, so the pool
// starts on the earliest of them that nobody reads yet; while listings come from memory a
// thread reads on below the folder it took (ReadTrip) and hands the lot on with one hold of
// the lock. The walk takes each listing once, and never reads itself: while it waits for a
// listing it keeps asking whether to stop, so a file system that stops answering cannot
// hold it. A subfolder that stands for another name (faLink) is never read: it lists
// nothing. One thread (the walk's) calls the public functions.
class FolderPrefetcher {
public:
    struct Folder;
    enum class Outcome { kListed, kUnreadable, kNotRead, kStopped };

    FolderPrefetcher(std::shared_ptr<FolderReader> reader, ReadAheadLimits limits);
    // Stops the pool at once. A read under way is left to end on its own: its result is
    // dropped, and its thread ends then with everything it held.
    ~FolderPrefetcher();
    FolderPrefetcher(const FolderPrefetcher&) = delete;
    FolderPrefetcher& operator=(const FolderPrefetcher&) = delete;

    Folder* Root();
    // The subfolder `name` of a folder whose listing was taken, as its listing foretold it;
    // nullptr when it is not one of them.
    Folder* Child(Folder* parent, std::string_view name);
    // Takes a folder's listing, waiting for it while it is read; `stopAsked` is called at
    // least every kStopPoll meanwhile, and true gives the listing up (kStopped). kNotRead:
    // the folder was not read here (asked with another filter than the first time, or the
    // system was short of resources) and the caller reads it itself.
    Outcome Take(Folder* folder, std::uint32_t filter, std::shared_ptr<const FolderEntries>& entries,
                 const std::function<bool()>& stopAsked);
    // The walk has left the folder: it and what is below it can go (with the next call).
    void Left(Folder* folder) { left_.push_back(folder); }

    // The most heap the read-ahead held at any moment, in bytes.
    std::size_t PeakBytes() const;
    // Reads of stopped read-aheads still under way, in the whole process.
    static std::size_t AbandonedReads();

    static constexpr std::chrono::milliseconds kStopPoll{25};

private:
    struct Shared;
    void ForgetLeft();

    std::shared_ptr<Shared> shared_;
    std::vector<Folder*> left_;  // left by the walk since the last call, still to forget
};

}  // namespace platform
