#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <cstring>

#include "platform/Attributes.h"

namespace platform {

namespace {

// FindFirstFileA / FindNextFileA, with the entries the filter does not ask for passed over.
class Win32Listing final : public FolderListing {
public:
    Win32Listing(HANDLE find, const WIN32_FIND_DATAA& first, std::uint32_t filter)
        : find_(find),
          data_(first),
          skipped_((faHidden | faSystem | faVolumeLabel) & ~filter),
          foldersOnly_((filter & kFoldersOnly) != 0) {}
    ~Win32Listing() override { FindClose(find_); }
    Win32Listing(const Win32Listing&) = delete;
    Win32Listing& operator=(const Win32Listing&) = delete;

    bool Next(ListingEntry& entry) override {
        for (;;) {
            if (!pending_ && !FindNextFileA(find_, &data_)) return false;  // the end, or any error
            pending_ = false;
            if (data_.dwFileAttributes & skipped_) continue;
            if (foldersOnly_ && !(data_.dwFileAttributes & faDirectory)) continue;
            entry.attributes = data_.dwFileAttributes;
            // The name fills a fixed field; without a zero byte it takes the whole field.
            entry.nativeName = std::string_view(data_.cFileName, strnlen(data_.cFileName, sizeof data_.cFileName));
            return true;
        }
    }

private:
    HANDLE find_;
    WIN32_FIND_DATAA data_;
    std::uint32_t skipped_;
    bool foldersOnly_;
    bool pending_ = true;  // FindFirstFileA's entry is still to be handed out
};

}  // namespace

std::optional<std::uint32_t> Win32FileSystem::Attributes(const std::string& nativePath) {
    const DWORD attributes = GetFileAttributesA(nativePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return std::uint32_t(attributes);
}

std::unique_ptr<FolderListing> Win32FileSystem::List(const std::string& nativeFolder, std::uint32_t filter) {
    const std::string pattern = nativeFolder + "*.*";
    WIN32_FIND_DATAA data{};
    const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32Listing>(find, data, filter);
}

std::string Win32FileSystem::SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) {
    std::string path = nativeFolder;
    path += nativeName;
    path += '\\';
    return path;
}

}  // namespace platform
