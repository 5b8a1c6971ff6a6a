#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// One entry of a folder listing.
struct ListingEntry {
    std::uint32_t attributes = 0;
    std::string_view nativeName;  // as the file system spells it; valid until the next Next
};

// An open folder listing; closing it is destroying it.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // The next entry that passes the attribute filter; false at the end or on any error.
    virtual bool Next(ListingEntry& entry) = 0;
};

// A walk down one drive that keeps the folders along its current path at hand, so that
// each folder is reached from its parent rather than from the root again. Entering a folder
// that cannot be opened is allowed: it then lists nothing.
class FolderWalk {
public:
    virtual ~FolderWalk() = default;
    // Makes the subfolder `nativeName` of the current folder the current folder.
    virtual void Enter(std::string_view nativeName) = 0;
    // Makes the parent of the current folder the current folder again.
    virtual void Leave() = 0;
    // Lists the current folder as List does; one listing at a time.
    virtual std::unique_ptr<FolderListing> List(std::uint32_t filter) = 0;
    // While a listing is outstanding, `stopAsked` is called at least every 50 ms; when it
    // says true the listing is given up and List returns nullptr. A walk that reads on the
    // caller's own thread never calls it.
    virtual void WatchForStop(std::function<bool()> stopAsked) { (void)stopAsked; }
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
    virtual std::string SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) = 0;
    // A native name in code page 932, "?" where code page 932 cannot spell it.
    virtual std::string DisplayName(std::string_view nativeName) = 0;
    // A native name in UTF-8, every character it spells kept; U+FFFD for bytes that spell
    // none. By default the code page 932 name decoded.
    virtual std::string Utf8Name(std::string_view nativeName);
    // A native name (or a pattern spelled as one) in UTF-16, where names meet the patterns
    // of names left out; U+FFFD for bytes that spell nothing. By default the code page 932
    // name decoded.
    virtual std::u16string Utf16Name(std::string_view nativeName);
    // Attributes of a drive's root folder; nullopt also when the drive's file system is no
    // longer there.
    virtual std::optional<std::uint32_t> RootAttributes(const std::string& nativeRoot) {
        return Attributes(nativeRoot);
    }
    // A walk that starts at a folder; by default it lists by paths built with SubfolderPath.
    virtual std::unique_ptr<FolderWalk> Walk(const std::string& nativeFolder);
};

}  // namespace platform
