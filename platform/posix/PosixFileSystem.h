#pragma once
#include <cstddef>

#include "platform/FileSystem.h"

namespace platform {

// Folders of Linux: native names are the file system's bytes (UTF-8 as a rule), shown in
// code page 932. There is no hidden attribute; see ReadEntries for what is left out.
class PosixFileSystem final : public FileSystem {
public:
    // Walks read folders ahead of the scan on `readAheadThreads` threads; 0 walks alone.
    explicit PosixFileSystem(std::size_t readAheadThreads = kReadAheadThreads);

    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override;
    std::string Utf8Name(std::string_view nativeName) override;
    std::u16string Utf16Name(std::string_view nativeName) override;
    std::optional<std::uint32_t> RootAttributes(const std::string& nativeRoot) override;
    std::unique_ptr<FolderWalk> Walk(const std::string& nativeFolder) override;

    // Cold scans of a 100,000-folder tree on this project's virtual disk (scan_bench pool),
    // as a share of the time walking alone: 4 threads 0.57, 8 0.56, 16 0.43, 32 0.41,
    // 64 0.39. Past 32 the gain is within the noise of one run to the next.
    static constexpr std::size_t kReadAheadThreads = 32;
    // Folders the read-ahead may run ahead of the walk: enough that one slow folder at the
    // walk's place does not hold the pool back. The heap it may hold doing so: a bound for
    // trees of huge folders, where a few thousand listings would take much more.
    static constexpr std::size_t kFoldersAhead = 4096;
    static constexpr std::size_t kBytesAhead = 8 << 20;
    // Threads reading ahead on a warm cache, before any listing is seen to wait: with a
    // second core they read while the walk appends, so that it only takes listings.
    static std::size_t FirstReadAheadThreads();

private:
    std::size_t readAheadThreads_;
};

}  // namespace platform
