#pragma once
#include <cstdint>

namespace platform {

// File attribute bits as the listing reports them.
enum Attribute : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSystem = 0x04,
    faVolumeLabel = 0x08,
    faDirectory = 0x10,
    // A folder that stands for another name (a junction, a symbolic link, a mount point):
    // listed like a folder, never entered. Windows' reparse-point bit, kept only for those.
    faLink = 0x400,
};

// What the scan asks for: read-only and directory. Hidden, system and volume-label
// entries are skipped inside the listing.
constexpr std::uint32_t kFolderScanFilter = faReadOnly | faDirectory;

}  // namespace platform
