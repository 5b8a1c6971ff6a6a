#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/FolderEntries.h"

namespace platform {

// How far a read-ahead may run.
struct ReadAheadLimits {
    std::size_t threads = 0;
    // Folders read (or being read) and not yet taken by the walk.
    std::size_t foldersAhead = 0;
    // Heap held for the walk ahead of it; once past it no further folder is started.
    std::size_t bytesAhead = 0;
    // A read of the walk's own that takes longer and reads from the disk waited for it (as
    // does a very long one that slept); a few such reads start the pool. Zero starts it as
    // soon as the walk goes below its first folder.
    std::chrono::microseconds slowRead{0};
};

// Reads the folders of a drive ahead of a depth-first pre-order walk over their sorted
// listings, on a small pool of threads: every listing read tells which folders come next,
// so the pool starts on the earliest of them that nobody reads yet. The walk takes each
// listing once; a folder the pool has not started yet the walk reads itself. The pool is
// started only once the walk's reads are seen to wait for the disk.
// One thread (the walk's) calls the public functions.
class FolderPrefetcher {
public:
    struct Folder;
    enum class Outcome { kListed, kUnreadable, kNotRead };

    FolderPrefetcher(std::string nativeRoot, ReadAheadLimits limits);
    ~FolderPrefetcher();  // stops the pool at once and joins it; closes every descriptor
    FolderPrefetcher(const FolderPrefetcher&) = delete;
    FolderPrefetcher& operator=(const FolderPrefetcher&) = delete;

    Folder* Root() { return root_.get(); }
    // The subfolder `name` of a folder whose listing was taken, as its listing foretold it;
    // nullptr when it is not one of them. Starts the pool on first use.
    Folder* Child(Folder* parent, std::string_view name);
    // Takes a folder's listing, waiting for it when it is being read. kNotRead: the folder
    // was not read here (asked with another filter than the first time, or the system
    // refused for want of resources) and the caller reads it itself.
    Outcome Take(Folder* folder, std::uint32_t filter, std::shared_ptr<const FolderEntries>& entries);
    // The walk has left the folder: it and what is below it can go.
    void Left(Folder* folder);

    // The most heap the read-ahead held at any moment, in bytes.
    std::size_t PeakBytes() const;

private:
    using Lock = std::unique_lock<std::mutex>;

    void NoteReadTime(std::chrono::steady_clock::duration took);
    void Start();
    void Work();
    Folder* NextToRead();
    Folder* MakeChild(Folder* parent);
    void Read(Folder* folder, std::vector<char>& buffer, Lock& lock);
    void Publish(Folder* folder, int fd, int error, FolderEntries entries);
    void PushPending(Folder* parent);
    void PopPending();
    void RemovePending(Folder* parent);
    void Release(Folder* folder);
    void Count(Folder* folder);
    bool RoomAhead() const;
    void WakePoolIfRoom();

    const std::string nativeRoot_;
    const ReadAheadLimits limits_;
    std::unique_ptr<Folder> root_;

    mutable std::mutex mutex_;
    std::condition_variable workWanted_;
    std::condition_variable folderRead_;
    // Folders with subfolders not yet started, as a heap: earliest in the walk's order on top.
    std::vector<Folder*> pending_;
    std::uint32_t filter_ = 0;
    bool filterKnown_ = false;
    std::atomic<bool> stopping_ = false;  // also seen by reads under way, which hold no lock
    bool disabled_ = false;               // the kernel lacks what the pool needs: the walk reads alone
    Folder* waitedFor_ = nullptr;         // the folder the walk waits for
    bool poolThrottled_ = false;
    std::size_t idle_ = 0;
    std::size_t ahead_ = 0;
    std::size_t bytes_ = 0;
    std::size_t peakBytes_ = 0;
    std::size_t heldFds_ = 0;
    std::vector<char> walkBuffer_;
    std::uint64_t slowReads_ = 0;  // one bit for each of the walk's last reads: 1 when slow
    bool poolWanted_ = false;
    bool blockCountsKept_ = false;  // the kernel counts each thread's block reads
    long blocksRead_ = 0;
    long sleeps_ = 0;      // the thread's voluntary context switches
    bool pooled_ = false;  // the pool runs: what is read is queued for it
    std::vector<std::thread> pool_;
};

}  // namespace platform
