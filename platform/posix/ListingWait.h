#pragma once
#include <chrono>
#include <optional>

namespace platform {

// Past this a listing that slept waited for its file system even though it read no block
// from a device: a network share or a FUSE file system has none for the kernel to count.
inline constexpr std::chrono::microseconds kLongListing{1000};

// What the kernel tells about the walk's thread since the last slow listing it looked at.
struct ListingSigns {
    std::optional<bool> readBlocks;  // read from a block device; empty where that is not counted
    bool slept = false;              // gave up the processor of its own accord
};

// Whether one of the walk's own listings waited for its file system, as the read-ahead's
// start rule sees it. A listing that was only held up (the processor lost to another
// thread, or the virtual machine's processor to its host) did not.
bool ListingWaited(std::chrono::steady_clock::duration took, std::chrono::microseconds slowRead, ListingSigns signs);

}  // namespace platform
