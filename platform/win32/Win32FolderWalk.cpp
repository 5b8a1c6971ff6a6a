#include "platform/win32/Win32FolderWalk.h"

#include <algorithm>

#include "platform/Attributes.h"
#include "platform/EntriesListing.h"
#include "platform/win32/ReadFolder.h"

namespace platform {

Win32FolderWalk::Win32FolderWalk(std::string nativeFolder) : path_(std::move(nativeFolder)) {
    if (!path_.empty() && path_.back() != '\\' && path_.back() != '/') path_ += '\\';
    levels_.push_back({path_.size(), false, {}});
}

void Win32FolderWalk::Enter(std::string_view nativeName) {
    const Level& parent = levels_.back();
    const bool link =
        parent.link || std::find(parent.links.begin(), parent.links.end(), nativeName) != parent.links.end();
    levels_.push_back({path_.size(), link, {}});
    path_ += nativeName;
    path_ += '\\';
}

void Win32FolderWalk::Leave() {
    if (levels_.size() < 2) return;
    path_.resize(levels_.back().pathLength);
    levels_.pop_back();
}

std::unique_ptr<FolderListing> Win32FolderWalk::List(std::uint32_t filter) {
    Level& level = levels_.back();
    if (level.link) return nullptr;
    std::optional<FolderEntries> entries = ReadFolder(path_, filter);
    if (!entries) return nullptr;
    level.links.clear();
    for (std::size_t i = 0; i < entries->Count(); ++i)
        if (entries->Attributes(i) & faLink) level.links.emplace_back(entries->Name(i));
    return std::make_unique<EntriesListing>(std::make_shared<const FolderEntries>(std::move(*entries)));
}

}  // namespace platform
