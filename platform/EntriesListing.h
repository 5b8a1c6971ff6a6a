#pragma once
#include <memory>

#include "platform/FileSystem.h"
#include "platform/FolderEntries.h"

namespace platform {

// A folder listing over entries read in full beforehand (FolderEntries), which a read-ahead
// may share.
class EntriesListing final : public FolderListing {
public:
    explicit EntriesListing(std::shared_ptr<const FolderEntries> entries) : entries_(std::move(entries)) {}
    bool Next(ListingEntry& entry) override;

private:
    std::shared_ptr<const FolderEntries> entries_;
    std::size_t next_ = 0;
};

}  // namespace platform
