#include "platform/posix/ListingWait.h"

namespace platform {

bool ListingWaited(std::chrono::steady_clock::duration took, std::chrono::microseconds slowRead, ListingSigns signs) {
    if (took < slowRead) return false;
    if (took >= kLongListing && signs.slept) return true;
    return signs.readBlocks.value_or(signs.slept);
}

}  // namespace platform
