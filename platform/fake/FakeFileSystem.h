#pragma once
#include "platform/FileSystem.h"

namespace platform {

// An in-memory file system with attributes, addressed by "x:\\..." paths.
class FakeFileSystem final : public FileSystem {
public:
    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, const std::string& nativeName) override;
};

}  // namespace platform
