#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/FolderReader.h"

namespace platform {

// A read-ahead thread's way on below the folder it took, while listings come from memory:
// the folders under it in the walk's order (depth first, each folder's subfolders in
// listing order), read without the pool's lock and handed on together, so that the pool
// takes its lock once for the lot rather than twice a folder. It ends at its bounds, at
// the first listing that waited for its file system, and when told to stop. A walk that
// waits for the folder meanwhile cuts it short (Cut): what was read is handed on then,
// and the read under way becomes a read of its own, so that a listing that hangs holds
// back nothing read before it.
class ReadTrip {
public:
    static constexpr std::size_t kTop = SIZE_MAX;

    struct Read {
        std::size_t parent = kTop;  // the folder taken (kTop), or an earlier read of the trip
        std::uint32_t index = 0;    // among the parent's subfolders, links counted
        bool waited = false;
        FolderRead read;
    };
    struct Bounds {
        std::size_t folders = 0;
        std::size_t bytes = 0;
    };
    // The read under way, for a walk that ends or cuts the trip meanwhile.
    struct UnderWay {
        bool active = false;  // false between two reads
        std::size_t parent = kTop;
        std::uint32_t index = 0;
        std::string key;  // '\0' and a name for each folder below the one taken
    };

    ReadTrip(FolderReader& reader, ListingWatch& watch, const std::atomic<bool>& stop)
        : reader_(reader), watch_(watch), stop_(stop) {}

    // Goes on below `top`, the listing of the folder `names` read from `base`, unless that
    // listing waited; `names` is the thread's own and is written over.
    void Run(FolderRead& top, bool topWaited, const std::shared_ptr<const ReadPlace>& base,
             std::vector<std::string>& names, std::uint32_t filter, Bounds bounds);
    // On another thread, while the trip may run: ends it after the read under way, whose
    // result is then kept apart (CutRead). `handOn` gets the folder's own listing, then every
    // read of the trip in order; `underWay`, the read under way. False when the trip was not
    // running or was cut before.
    bool Cut(const std::function<void(FolderRead& top, std::vector<Read>& reads, const UnderWay& underWay)>& handOn);
    // After Run, on its thread.
    std::vector<Read>& Reads() { return reads_; }
    bool WasCut() const { return cut_; }
    // Cut with a read under way: its result, which belongs to the folder Cut was told of.
    bool CutMidRead() const { return cut_ && cutMidRead_; }
    FolderRead& CutRead() { return cutRead_; }
    ListingWatch& Watch() { return watch_; }

private:
    // A folder of the trip whose subfolders are being gone through.
    struct Level {
        std::size_t read;
        const FolderEntries* entries;
        std::shared_ptr<const ReadPlace> place;
        std::size_t depth;  // its names among the thread's
        std::size_t entry = 0;
        std::uint32_t subfolder = 0;
    };

    bool Next(std::vector<std::string>& names, std::size_t topDepth);

    FolderReader& reader_;
    ListingWatch& watch_;
    const std::atomic<bool>& stop_;
    std::vector<Level> levels_;

    std::mutex mutex_;  // what Cut touches, from the trip's first read to its end
    bool running_ = false;
    bool cut_ = false;
    bool cutMidRead_ = false;
    FolderRead* top_ = nullptr;
    std::vector<Read> reads_;
    UnderWay underWay_;
    FolderRead cutRead_;
};

}  // namespace platform
