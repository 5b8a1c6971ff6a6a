#include "platform/posix/ListingWait.h"

#include <gtest/gtest.h>

#include "platform/posix/PosixFolderReader.h"

namespace {

using platform::ListingSigns;
using platform::ListingWaited;
using std::chrono::microseconds;
constexpr microseconds kSlow = platform::PosixFolderReader::kSlowRead;
constexpr microseconds kLong = platform::kLongListing;

TEST(ListingWait, ADiskReadPastTheShortBoundCountsAndAHeldUpListingDoesNot) {
    // A cold listing on a fast disk: tens of microseconds, blocks read, slept meanwhile.
    EXPECT_TRUE(ListingWaited(microseconds(60), kSlow, ListingSigns{true, true}));
    EXPECT_TRUE(ListingWaited(kSlow, kSlow, ListingSigns{true, false}));
    // Long, but nothing read and no sleep: the processor was taken away for a while.
    EXPECT_FALSE(ListingWaited(kLong * 5, kSlow, ListingSigns{false, false}));
    EXPECT_FALSE(ListingWaited(kLong * 5, kSlow, ListingSigns{std::nullopt, false}));
    // Slept without reading a block, and not long: a lock, not the file system.
    EXPECT_FALSE(ListingWaited(kLong - microseconds(1), kSlow, ListingSigns{false, true}));
    // Warm listings never count, whatever the kernel would say.
    EXPECT_FALSE(ListingWaited(kSlow - microseconds(1), kSlow, ListingSigns{true, true}));
}

TEST(ListingWait, ALongSleepCountsWithoutBlocksAndASleepStandsInWhereBlocksAreNotCounted) {
    // A network share or FUSE: no block device, a long sleep.
    EXPECT_TRUE(ListingWaited(kLong, kSlow, ListingSigns{false, true}));
    // No block count kept: a sleep past the short bound is the sign.
    EXPECT_TRUE(ListingWaited(microseconds(80), kSlow, ListingSigns{std::nullopt, true}));
    EXPECT_FALSE(ListingWaited(microseconds(80), kSlow, ListingSigns{std::nullopt, false}));
}

}  // namespace
