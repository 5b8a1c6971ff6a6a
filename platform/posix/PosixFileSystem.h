#pragma once
#include <cstddef>

#include "platform/FileSystem.h"
#include "platform/FolderPrefetcher.h"

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

    // The program's read-ahead (FolderPrefetcher.h), here for the tests and benchmarks.
    static constexpr std::size_t kReadAheadThreads = platform::kReadAheadThreads;
    static constexpr std::size_t kFoldersAhead = platform::kFoldersAhead;
    static constexpr std::size_t kBytesAhead = platform::kBytesAhead;
    static std::size_t FirstReadAheadThreads() { return platform::FirstReadAheadThreads(); }

private:
    std::size_t readAheadThreads_;
};

}  // namespace platform
