#pragma once
#include "platform/FileSystem.h"

namespace platform {

// Folders of Linux: native names are the file system's bytes (UTF-8 as a rule), shown in
// code page 932. There is no hidden attribute; see PosixListing for what is left out.
class PosixFileSystem final : public FileSystem {
public:
    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override;
    std::string Utf8Name(std::string_view nativeName) override;
    std::optional<std::uint32_t> RootAttributes(const std::string& nativeRoot) override;
    std::unique_ptr<FolderWalk> Walk(const std::string& nativeFolder) override;
};

}  // namespace platform
