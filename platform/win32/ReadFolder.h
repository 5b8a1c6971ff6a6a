#pragma once
// Reading one Windows folder: a path in, its entries out, nothing kept between calls, so any
// thread may call it (a read-ahead's pool too).
#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/FolderEntries.h"

namespace platform {

// The attributes a listing entry is given: the system's own bits, with the reparse-point
// bit (faLink) kept only where the entry stands for another name: a tag that
// IsReparseTagNameSurrogate accepts, or no tag at all (what Wine gives a Unix symbolic
// link), since a link of unknown kind may lead back up the tree. Other reparse points (cloud
// placeholders, deduplicated files) are ordinary entries.
std::uint32_t ListedAttributes(std::uint32_t fileAttributes, std::uint32_t reparseTag);

// Every entry of the folder at `nativeFolder` (ending with "\" or not) that the attribute
// filter lets through (FileSystem::List), read to the end and put in name order, "." and
// ".." first (FolderEntries). An error part-way ends the listing with what was read; so does
// `stop` turning true. nullopt when the folder cannot be listed, with GetLastError telling why.
std::optional<FolderEntries> ReadFolder(std::string_view nativeFolder, std::uint32_t filter,
                                        const std::atomic<bool>* stop = nullptr);

}  // namespace platform
