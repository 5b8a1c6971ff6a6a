#pragma once
#include <chrono>
#include <cstddef>

#include "platform/FileSystem.h"

namespace platform {

// Folders of Linux: native names are the file system's bytes (UTF-8 as a rule), shown in
// code page 932. There is no hidden attribute; see PosixListing for what is left out.
class PosixFileSystem final : public FileSystem {
public:
    // Walks read folders ahead of the scan on `readAheadThreads` threads; 0 walks alone.
    explicit PosixFileSystem(std::size_t readAheadThreads = kReadAheadThreads);

    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override;
    std::optional<std::uint32_t> RootAttributes(const std::string& nativeRoot) override;
    std::unique_ptr<FolderWalk> Walk(const std::string& nativeFolder) override;

    static constexpr std::size_t kReadAheadThreads = 16;
    // Folders the read-ahead may run ahead of the walk, and the heap it may hold doing so.
    static constexpr std::size_t kFoldersAhead = 1024;
    static constexpr std::size_t kBytesAhead = 8 << 20;
    // A listing that takes longer than this waited for the disk: the pool is started.
    static constexpr std::chrono::microseconds kSlowRead{1000};

private:
    std::size_t readAheadThreads_;
};

}  // namespace platform
