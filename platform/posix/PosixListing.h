#pragma once
#include "platform/FileSystem.h"
#include "platform/posix/FolderEntries.h"

namespace platform {

// A folder listing over entries read in full beforehand (FolderEntries).
class PosixListing final : public FolderListing {
public:
    explicit PosixListing(FolderEntries entries) : entries_(std::move(entries)) {}
    bool Next(ListingEntry& entry) override;

private:
    FolderEntries entries_;
    std::size_t next_ = 0;
};

}  // namespace platform
