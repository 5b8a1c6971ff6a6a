#pragma once
#include <vector>

#include "platform/DriveSystem.h"
#include "platform/posix/MountTable.h"

namespace platform {

// Linux stands in for drive letters with its mounted disks: "/" is c, the others d, e, ...
// The mount table is read when the drive mask is asked for (or first needed) and kept,
// so letters stay put until the list is rebuilt. Mount points are never touched: a dead
// network mount cannot hang a query.
class PosixDriveSystem final : public DriveSystem {
public:
    std::uint32_t LogicalDrives() override;
    DriveType TypeOf(char letter) override;
    std::optional<std::string> VolumeLabel(char letter) override;
    std::optional<std::string> RemoteName(char letter) override;
    std::string CurrentDirectory() override;
    std::string NativeRoot(char letter) override;
    std::optional<FolderPlace> Locate(const std::string& nativePath) override;

    // The drives as last read, in letter order.
    const std::vector<posix::MountedDrive>& Drives();

private:
    void ReadMountTable();
    const posix::MountedDrive* Find(char letter);

    std::vector<posix::MountedDrive> drives_;
    bool read_ = false;
};

}  // namespace platform
