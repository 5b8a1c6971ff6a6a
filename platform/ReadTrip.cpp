#include "platform/ReadTrip.h"

#include <chrono>

#include "platform/Attributes.h"

namespace platform {

void ReadTrip::Run(FolderRead& top, bool topWaited, const std::shared_ptr<const ReadPlace>& base,
                   std::vector<std::string>& names, std::uint32_t filter, Bounds bounds) {
    {
        const std::lock_guard guard(mutex_);
        reads_.clear();
        cut_ = false;
        cutMidRead_ = false;
        cutRead_ = {};
        underWay_ = {};
        top_ = &top;
        running_ = false;
        if (topWaited || top.status != FolderRead::Status::kListed || bounds.folders == 0) return;
        // The listings are read in place: none may move while a level looks at it.
        reads_.reserve(bounds.folders);
        running_ = true;
    }
    // However it ends, out of memory too: a cut after that would reach for listings gone.
    struct Ended {
        ReadTrip& trip;
        ~Ended() {
            const std::lock_guard guard(trip.mutex_);
            trip.running_ = false;
        }
    } ended{*this};
    levels_.clear();
    const std::size_t topDepth = names.size();
    levels_.push_back({kTop, &top.entries, top.place, topDepth});
    std::size_t bytes = 0;
    while (reads_.size() < bounds.folders && bytes < bounds.bytes && !stop_.load(std::memory_order_relaxed) &&
           Next(names, topDepth)) {
        // From the nearest place kept on the way down, else from where the folder taken was read.
        // The levels and the caller hold the places: no count of them changes per read.
        const ReadPlace* from = base.get();
        std::size_t skip = 0;
        for (std::size_t k = levels_.size(); k-- > 0;)
            if (levels_[k].place) {
                from = levels_[k].place.get();
                skip = levels_[k].depth;
                break;
            }
        const auto start = std::chrono::steady_clock::now();
        FolderRead read = reader_.Read(from, std::span(names).subspan(skip), filter, true, stop_);
        const bool waited = watch_.Waited(std::chrono::steady_clock::now() - start);
        const std::lock_guard guard(mutex_);
        if (cut_) {
            cutRead_ = std::move(read);
            break;
        }
        // No answer (short of descriptors): the folder is left to be read on its own.
        if (read.status == FolderRead::Status::kNoAnswer) break;
        underWay_.active = false;
        reads_.push_back({underWay_.parent, underWay_.index, waited, std::move(read)});
        const FolderRead& got = reads_.back().read;
        bytes += got.entries.Bytes();
        if (waited) break;
        if (got.status == FolderRead::Status::kListed)
            levels_.push_back({reads_.size() - 1, &got.entries, got.place, names.size()});
    }
}

// Finds the next folder of the trip and makes it the read under way; false at the end. Under
// the trip's lock: once cut, the listings it goes through are no longer its own.
bool ReadTrip::Next(std::vector<std::string>& names, std::size_t topDepth) {
    const std::lock_guard guard(mutex_);
    while (!cut_ && !levels_.empty()) {
        Level& level = levels_.back();
        while (level.entry < level.entries->Count() && !level.entries->IsSubfolder(level.entry)) ++level.entry;
        if (level.entry == level.entries->Count()) {
            levels_.pop_back();
            continue;
        }
        const std::size_t entry = level.entry++;
        const std::uint32_t index = level.subfolder++;
        // A junction, a link, a mount point: never entered.
        if (level.entries->Attributes(entry) & faLink) continue;
        // The name written over the one read last at its depth: one room per depth.
        names.resize(level.depth + 1);
        names.back().assign(level.entries->Name(entry));
        underWay_.active = true;
        underWay_.parent = level.read;
        underWay_.index = index;
        underWay_.key.clear();
        for (std::size_t i = topDepth; i < names.size(); ++i) (underWay_.key += '\0') += names[i];
        return true;
    }
    return false;
}

bool ReadTrip::Cut(
    const std::function<void(FolderRead& top, std::vector<Read>& reads, const UnderWay& underWay)>& handOn) {
    const std::lock_guard guard(mutex_);
    if (!running_ || cut_) return false;
    cut_ = true;
    cutMidRead_ = underWay_.active;
    handOn(*top_, reads_, underWay_);
    return true;
}

}  // namespace platform
