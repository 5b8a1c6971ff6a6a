#include "platform/posix/PosixListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/Attributes.h"

namespace platform {

namespace {

// The record getdents64 writes for each entry.
struct KernelEntry {
    std::uint64_t ino;
    std::int64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[1];
};

constexpr std::uint32_t kNotListed = ~std::uint32_t(0);

bool IsSystemArea(std::string_view name) { return name == "proc" || name == "sys" || name == "dev" || name == "run"; }

}  // namespace

PosixListing::PosixListing(int folderFd, std::span<char> buffer, std::uint32_t filter, bool systemRoot)
    : fd_(folderFd),
      buffer_(buffer),
      skipped_((faHidden | faSystem | faVolumeLabel) & ~filter),
      systemRoot_(systemRoot) {}

bool PosixListing::Fill() {
    if (ended_) return false;
    const long got = ::syscall(SYS_getdents64, fd_, buffer_.data(), buffer_.size());
    // An error part-way counts as the end of the listing; what was read stays read.
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    used_ = std::size_t(got);
    next_ = 0;
    return true;
}

std::uint32_t PosixListing::AttributesOf(const char* name, unsigned char type) const {
    if (type == DT_UNKNOWN) {
        // Some file systems leave the type out of the listing.
        struct stat info {};
        if (::fstatat(fd_, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return kNotListed;
        type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISDIR(info.st_mode) ? DT_DIR : DT_REG;
    }
    if (type == DT_LNK) return kNotListed;  // a link is no folder and is never followed
    if (type != DT_DIR) return 0;
    if (systemRoot_ && IsSystemArea(name)) return faDirectory | faSystem;
    return faDirectory;
}

bool PosixListing::Next(ListingEntry& entry) {
    for (;;) {
        if (next_ >= used_ && !Fill()) return false;
        const auto* record = reinterpret_cast<const KernelEntry*>(buffer_.data() + next_);
        next_ += record->reclen;
        const std::uint32_t attributes = AttributesOf(record->name, record->type);
        if (attributes == kNotListed || (attributes & skipped_)) continue;
        entry.attributes = attributes;
        entry.nativeName = std::string_view(record->name);
        return true;
    }
}

}  // namespace platform
