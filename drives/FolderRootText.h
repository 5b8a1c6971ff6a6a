#pragma once
// A chosen folder's path in the program's own form, decided without the system: the drive
// that holds it and the names below that drive's root.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drives {

// A listed drive and where its file system is mounted ("/", "/media/usb").
struct DriveMount {
    char letter = 0;
    std::string mountPoint;
};

// The root text of the folder at `realPath` (absolute, links resolved, "/" between names),
// spelled as the file system spells it: the letter of the listed drive whose mount point
// is the longest prefix of the path (whole names only), ":\", then the names below that
// mount point joined by "\", ending with "\". So /home/me/photos on c: ("/") reads
// c:\home\me\photos\ and a drive's own root e:\. nullopt when no listed drive holds it.
std::optional<std::string> FolderRootText(const std::vector<DriveMount>& drives, std::string_view realPath);

// The drive FolderRootText picks, or nullptr.
const DriveMount* HoldingDrive(const std::vector<DriveMount>& drives, std::string_view realPath);

}  // namespace drives
