#pragma once
#include "platform/DriveSystem.h"

namespace platform {

// Windows' own drive letters, asked through the wide calls; labels and remote names come to
// code page 932 through the program's codec.
class Win32DriveSystem final : public DriveSystem {
public:
    std::uint32_t LogicalDrives() override;
    DriveType TypeOf(char letter) override;
    std::optional<std::string> VolumeLabel(char letter) override;
    std::optional<std::string> RemoteName(char letter) override;
    std::string CurrentDirectory() override;
    std::string NativeRoot(char letter) override;
    std::optional<FolderPlace> Locate(const std::string& nativePath) override;
};

}  // namespace platform
