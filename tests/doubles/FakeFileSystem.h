#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// An in-memory file system with attributes, addressed by "x:\\..." paths whose names are
// code page 932 bytes (split by character, as Windows does). A folder lists its entries in
// the order they were added, after "." and ".." as Windows lists them below a drive's root.
class FakeFileSystem final : public FileSystem {
public:
    FakeFileSystem();
    ~FakeFileSystem() override;

    // Adds a folder or a file; missing folders on the way are added without attributes.
    void AddFolder(std::string_view path, std::uint32_t attributes = 0);
    void AddFile(std::string_view path, std::uint32_t attributes = 0);
    // Removes an entry with all below it; false when there is none.
    bool Remove(std::string_view path);
    // Gives an entry another name in its folder, keeping its place in the listing.
    bool Rename(std::string_view path, std::string_view newName);

    // Runs when a folder listing is opened, before its first entry is read.
    std::function<void(const std::string& nativeFolder)> onList;
    // Every folder asked for a listing, in order, as "x:\\A\\".
    std::vector<std::string> listed;

    std::optional<std::uint32_t> Attributes(const std::string& nativePath) override;
    std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) override;
    std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) override;
    std::string DisplayName(std::string_view nativeName) override { return std::string(nativeName); }

private:
    struct Entry;
    Entry* Find(std::string_view path);
    Entry& Add(std::string_view path, std::uint32_t attributes);

    std::unique_ptr<Entry> top_;  // holds the drives ("c:", "x:") as folders
};

}  // namespace platform
