#pragma once
#include "platform/DriveSystem.h"

namespace platform {

// Linux stands in for drive letters with its mounted disks: "/" is c, the others d, e, ...
class PosixDriveSystem final : public DriveSystem {
public:
    std::uint32_t LogicalDrives() override;
    DriveType TypeOf(char letter) override;
    std::optional<std::string> VolumeLabel(char letter) override;
    std::optional<std::string> RemoteName(char letter) override;
    std::string CurrentDirectory() override;
    std::string NativeRoot(char letter) override;
};

}  // namespace platform
