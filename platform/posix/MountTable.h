#pragma once
// The kernel's mount table turned into drive letters. No system calls here: the text
// of /proc/self/mountinfo and the removable-flag query come from the caller.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveSystem.h"

namespace platform::posix {

// One line of mountinfo, with the kernel's octal escapes (\040 ...) undone.
struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;  // the part of the file system seen at the mount point
    std::string mountPoint;
    std::string fsType;
    std::string source;
    std::string superOptions;
};

struct MountedDrive {
    char letter = 0;
    DriveType type = DriveType::Fixed;
    MountEntry mount;
};

std::vector<MountEntry> ParseMountInfo(std::string_view text);

// Whether the block device under a mount is marked removable.
using RemovableQuery = std::function<bool(const MountEntry&)>;

// Whether a path lies at or under /proc, /sys, /dev or /run: the kernel's and the running
// system's own areas, which hold no folders of anyone's.
bool InSystemArea(std::string_view path);

// "/" is c, the other real file systems d, e, ... in table order, up to z.
// Pseudo file systems, system areas and second views of a mounted file system are left out.
std::vector<MountedDrive> DrivesFromMountInfo(std::string_view text, const RemovableQuery& isRemovable);

}  // namespace platform::posix
