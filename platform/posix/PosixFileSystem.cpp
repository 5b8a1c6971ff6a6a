#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/Attributes.h"
#include "platform/ReadAheadWalk.h"
#include "platform/WideText.h"
#include "platform/posix/PosixFolderReader.h"
#include "platform/posix/PosixFolderWalk.h"
#include "sjis/Cp932.h"

namespace platform {

namespace {

// Which mount a path lies in: the mount id where the kernel gives it, else the device.
std::optional<std::uint64_t> MountOf(const std::string& path) {
    struct statx info {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_MNT_ID, &info) != 0) return std::nullopt;
    if (info.stx_mask & STATX_MNT_ID) return info.stx_mnt_id;
    return (std::uint64_t(info.stx_dev_major) << 32) | info.stx_dev_minor;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::size_t readAheadThreads) : readAheadThreads_(readAheadThreads) {}

std::optional<std::uint32_t> PosixFileSystem::Attributes(const std::string& nativePath) {
    struct stat info {};
    if (::stat(nativePath.c_str(), &info) != 0) return std::nullopt;
    return S_ISDIR(info.st_mode) ? std::uint32_t(faDirectory) : 0u;
}

// A drive is its file system mounted at its root: when the file system has gone, the
// folder left behind belongs to the mount above it and the drive is not ready.
std::optional<std::uint32_t> PosixFileSystem::RootAttributes(const std::string& nativeRoot) {
    const std::optional<std::uint32_t> attributes = Attributes(nativeRoot);
    if (!attributes || nativeRoot == "/") return attributes;
    std::string parent = nativeRoot;
    if (parent.empty() || parent.back() != '/') parent += '/';
    parent += "..";
    const std::optional<std::uint64_t> own = MountOf(nativeRoot), above = MountOf(parent);
    if (!own || !above || *own == *above) return std::nullopt;
    return attributes;
}

std::unique_ptr<FolderListing> PosixFileSystem::List(const std::string& nativeFolder, std::uint32_t filter) {
    // A listing on its own: a walk that lives as long as the listing, with nothing to read ahead.
    struct OwnedListing final : FolderListing {
        std::unique_ptr<FolderWalk> walk;
        std::unique_ptr<FolderListing> listing;
        bool Next(ListingEntry& entry) override { return listing->Next(entry); }
    };
    auto owned = std::make_unique<OwnedListing>();
    owned->walk = std::make_unique<PosixFolderWalk>(nativeFolder);
    owned->listing = owned->walk->List(filter);
    if (!owned->listing) return nullptr;
    return owned;
}

std::string PosixFileSystem::SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) {
    std::string path = nativeFolder;
    if (path.empty() || path.back() != '/') path += '/';
    path += nativeName;
    path += '/';
    return path;
}

std::string PosixFileSystem::DisplayName(std::string_view nativeName) { return sjis::FromUtf8(nativeName); }

std::string PosixFileSystem::Utf8Name(std::string_view nativeName) { return sjis::ValidUtf8(nativeName); }

std::u16string PosixFileSystem::Utf16Name(std::string_view nativeName) { return Utf16FromNative(nativeName); }

std::unique_ptr<FolderWalk> PosixFileSystem::Walk(const std::string& nativeFolder) {
    if (!readAheadThreads_) return std::make_unique<PosixFolderWalk>(nativeFolder);
    return std::make_unique<ReadAheadWalk>(
        std::make_shared<PosixFolderReader>(nativeFolder),
        ReadAheadLimits{readAheadThreads_, kFoldersAhead, kBytesAhead, platform::FirstReadAheadThreads()});
}

}  // namespace platform
