#include "platform/posix/ReadAheadWalk.h"

#include "platform/EntriesListing.h"

namespace platform {

ReadAheadWalk::ReadAheadWalk(std::string nativeRoot, ReadAheadLimits limits)
    : plain_(nativeRoot), prefetcher_(nativeRoot, limits) {
    path_.push_back(prefetcher_.Root());
}

void ReadAheadWalk::Enter(std::string_view nativeName) {
    plain_.Enter(nativeName);
    FolderPrefetcher::Folder* parent = path_.back();
    path_.push_back(parent ? prefetcher_.Child(parent, nativeName) : nullptr);
}

void ReadAheadWalk::Leave() {
    if (path_.size() < 2) return;
    plain_.Leave();
    if (path_.back()) prefetcher_.Left(path_.back());
    path_.pop_back();
}

std::unique_ptr<FolderListing> ReadAheadWalk::List(std::uint32_t filter) {
    if (FolderPrefetcher::Folder* folder = path_.back()) {
        std::shared_ptr<const FolderEntries> entries;
        switch (prefetcher_.Take(folder, filter, entries)) {
            case FolderPrefetcher::Outcome::kListed: return std::make_unique<EntriesListing>(std::move(entries));
            case FolderPrefetcher::Outcome::kUnreadable: return nullptr;
            case FolderPrefetcher::Outcome::kNotRead: break;
        }
    }
    return plain_.List(filter);
}

}  // namespace platform
