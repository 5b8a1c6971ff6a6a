#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// One entry of a folder listing.
struct ListingEntry {
    std::uint32_t attributes = 0;
    std::string name;        // code page 932, "?" where it cannot spell the native name
    std::string nativeName;  // as the file system spells it
};

// An open folder listing; closing it is destroying it.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // The next entry that passes the attribute filter; false at the end or on any error.
    virtual bool Next(ListingEntry& entry) = 0;
};

// Folders and their attributes, addressed by native paths.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Attribute bits of a path; nullopt when the query fails.
    virtual std::optional<std::uint32_t> Attributes(const std::string& nativePath) = 0;
    // Lists every entry of a folder (the folder path ends with the separator). Entries with
    // hidden, system or volume-label bits are skipped unless `filter` asks for them.
    // nullptr when the folder cannot be listed.
    virtual std::unique_ptr<FolderListing> List(const std::string& nativeFolder, std::uint32_t filter) = 0;
    // Native path of the subfolder `nativeName` of `nativeFolder`, ending with the separator.
    virtual std::string SubfolderPath(const std::string& nativeFolder, const std::string& nativeName) = 0;
};

}  // namespace platform
