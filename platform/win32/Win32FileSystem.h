#pragma once
#include "platform/FileSystem.h"

namespace platform {

// Folders of Windows through the ANSI calls: names and paths are code page 932 already.
class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override { return std::string(nativeName); }
};

}  // namespace platform
