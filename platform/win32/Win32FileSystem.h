#pragma once
#include "platform/FileSystem.h"
#include "platform/FolderPrefetcher.h"

namespace platform {

// Folders of Windows through the wide calls. Native names and paths are UTF-8 (WideText.h);
// every path reaches the system in its "\\?\" form (Win32Path), so no length limit applies
// short of the system's own 32,767 characters. Listings come in name order (ReadFolder).
class Win32FileSystem final : public FileSystem {
public:
    // Walks read folders ahead of the scan on up to `readAheadThreads` threads (FolderPrefetcher);
    // 0 walks alone.
    explicit Win32FileSystem(std::size_t readAheadThreads = kReadAheadThreads) : readAheadThreads_(readAheadThreads) {}

    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override;
    std::string Utf8Name(std::string_view nativeName) override;
    std::u16string Utf16Name(std::string_view nativeName) override;
    std::unique_ptr<FolderWalk> Walk(const std::string& nativeFolder) override;

private:
    std::size_t readAheadThreads_;
};

}  // namespace platform
