#include "platform/ReadAheadWalk.h"

#include <atomic>
#include <span>

#include "platform/EntriesListing.h"

namespace platform {

ReadAheadWalk::ReadAheadWalk(std::shared_ptr<FolderReader> reader, ReadAheadLimits limits)
    : reader_(reader), prefetcher_(std::move(reader), limits) {
    path_.push_back(prefetcher_.Root());
}

void ReadAheadWalk::Enter(std::string_view nativeName) {
    if (names_.size() == depth_) names_.emplace_back();
    names_[depth_++] = nativeName;
    FolderPrefetcher::Folder* parent = path_.back();
    path_.push_back(parent ? prefetcher_.Child(parent, nativeName) : nullptr);
}

void ReadAheadWalk::Leave() {
    if (path_.size() < 2) return;
    --depth_;
    if (path_.back()) prefetcher_.Left(path_.back());
    path_.pop_back();
}

std::unique_ptr<FolderListing> ReadAheadWalk::List(std::uint32_t filter) {
    if (FolderPrefetcher::Folder* folder = path_.back()) {
        std::shared_ptr<const FolderEntries> entries;
        switch (prefetcher_.Take(folder, filter, entries, stopAsked_)) {
            case FolderPrefetcher::Outcome::kListed: return std::make_unique<EntriesListing>(std::move(entries));
            case FolderPrefetcher::Outcome::kUnreadable:
            case FolderPrefetcher::Outcome::kStopped: return nullptr;
            case FolderPrefetcher::Outcome::kNotRead: break;
        }
    }
    const std::atomic<bool> never = false;
    FolderRead read = reader_->Read(nullptr, std::span(names_.data(), depth_), filter, false, never);
    if (read.status != FolderRead::Status::kListed) return nullptr;
    return std::make_unique<EntriesListing>(std::make_shared<const FolderEntries>(std::move(read.entries)));
}

}  // namespace platform
