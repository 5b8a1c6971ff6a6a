#pragma once
#include "platform/FileSystem.h"

namespace platform {

class PosixDriveSystem;

class PosixFileSystem final : public FileSystem {
public:
    explicit PosixFileSystem(PosixDriveSystem& drives) : drives_(drives) {}
    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, const std::string& nativeName) override;

private:
    PosixDriveSystem& drives_;
};

}  // namespace platform
