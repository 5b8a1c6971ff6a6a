#pragma once
#include <atomic>
#include <cstdint>
#include <span>

#include "platform/FolderEntries.h"

namespace platform {

// Reads the folder open at `folderFd` from where its descriptor stands, in listing order.
// An error part-way ends the listing with what was read; so does `stop` turning true between
// reads. At the root of "/" the kernel's pseudo-file-system areas read as system folders.
FolderEntries ReadEntries(int folderFd, std::span<char> buffer, std::uint32_t filter, bool systemRoot,
                          const std::atomic<bool>* stop = nullptr);

}  // namespace platform
