#pragma once
#include <array>

#include "platform/DriveSystem.h"

namespace platform {

// Drives set up by a test. Native roots are "x:\\", matching FakeFileSystem's paths.
class FakeDriveSystem final : public DriveSystem {
public:
    struct Drive {
        DriveType type = DriveType::NoRootDir;
        std::optional<std::string> label;
        std::optional<std::string> remoteName;
        int labelQueries = 0;
    };
    std::array<Drive, 26> drives{};
    std::string currentDirectory = "C:\\";

    void Add(char letter, DriveType type, std::optional<std::string> label = std::string());

    std::uint32_t LogicalDrives() override;
    DriveType TypeOf(char letter) override;
    std::optional<std::string> VolumeLabel(char letter) override;
    std::optional<std::string> RemoteName(char letter) override;
    std::string CurrentDirectory() override { return currentDirectory; }
    std::string NativeRoot(char letter) override;
    // "x:\\A" and "x:\\A\\" both lie on drive x as x:\\A\\; whether the folder exists is the
    // file system's to say.
    std::optional<FolderPlace> Locate(const std::string& nativePath) override;
};

}  // namespace platform
