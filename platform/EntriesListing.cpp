#include "platform/EntriesListing.h"

namespace platform {

bool EntriesListing::Next(ListingEntry& entry) {
    if (next_ >= entries_->Count()) return false;
    entry.attributes = entries_->Attributes(next_);
    entry.nativeName = entries_->Name(next_);
    ++next_;
    return true;
}

}  // namespace platform
