#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/FolderEntries.h"

namespace platform {

// Where a folder was opened, kept so that its subfolders are read from there rather than
// from the root again: an open descriptor on Linux, the folder's path on Windows.
class ReadPlace {
public:
    virtual ~ReadPlace() = default;
};

// One folder read to the end by a system's reader.
struct FolderRead {
    enum class Status {
        kListed,
        kUnreadable,  // refused, vanished, not a folder: it lists nothing
        kNoAnswer,    // the system was short of descriptors or memory: no answer about the folder
    };
    Status status = Status::kUnreadable;
    FolderEntries entries;
    std::shared_ptr<const ReadPlace> place;  // when asked for, and the folder holds subfolders
};

// Tells, on the thread that read it, whether a listing waited for its file system (a disk,
// a share) rather than finding it in memory.
class ListingWatch {
public:
    virtual ~ListingWatch() = default;
    virtual bool Waited(std::chrono::steady_clock::duration took) = 0;
    // The thread has waited for reasons of its own (for work, for a lock): that is no sign
    // of the next listing's.
    virtual void Restart() {}
};

// Reads the folders of one drive for the read-ahead, on any number of threads at once.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Reads the folder `names` (one or more, from the outermost) below `base`; with no base,
    // below the walk's root, which `names` empty reads itself. Entries as the system's
    // listing gives them, with `filter`; the place is kept when `keepPlace` asks for it.
    // `stop` turning true may end the read early: its result is then dropped.
    virtual FolderRead Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t filter,
                            bool keepPlace, const std::atomic<bool>& stop) = 0;
    // One watch for each reading thread.
    virtual std::unique_ptr<ListingWatch> Watch() = 0;
    // Whether listings are known to wait (a network share): the pool then reads at its full
    // size from the first listing.
    virtual bool Remote() const { return false; }
    // The walk's root, as the system spells it: reads of two walks with the same root and
    // the same names below it read the same folder.
    virtual const std::string& Root() const = 0;
};

}  // namespace platform
