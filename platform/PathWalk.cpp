#include "platform/PathWalk.h"

namespace platform {

std::unique_ptr<FolderWalk> FileSystem::Walk(const std::string& nativeFolder) {
    return std::make_unique<PathWalk>(*this, nativeFolder);
}

void PathWalk::Enter(std::string_view nativeName) {
    parentLengths_.push_back(path_.size());
    // The parent's path is its own prefix, so only the name is appended.
    path_ = files_.SubfolderPath(path_, nativeName);
}

void PathWalk::Leave() {
    if (parentLengths_.empty()) return;
    path_.resize(parentLengths_.back());
    parentLengths_.pop_back();
}

std::unique_ptr<FolderListing> PathWalk::List(std::uint32_t filter) { return files_.List(path_, filter); }

}  // namespace platform
