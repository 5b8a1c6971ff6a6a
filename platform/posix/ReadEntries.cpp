#include "platform/posix/ReadEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

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

std::uint32_t AttributesOf(int fd, const char* name, unsigned char type, bool systemRoot) {
    if (type == DT_UNKNOWN) {
        // Some file systems leave the type out of the listing.
        struct stat info {};
        if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return kNotListed;
        type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISDIR(info.st_mode) ? DT_DIR : DT_REG;
    }
    if (type == DT_LNK) return kNotListed;  // a link is no folder and is never followed
    if (type != DT_DIR) return 0;
    if (systemRoot && IsSystemArea(name)) return faDirectory | faSystem;
    return faDirectory;
}

}  // namespace

FolderEntries ReadEntries(int folderFd, std::span<char> buffer, std::uint32_t filter, bool systemRoot,
                          const std::atomic<bool>* stop) {
    const std::uint32_t skipped = (faHidden | faSystem | faVolumeLabel) & ~filter;
    // Files are passed over as they come, without an entry.
    const bool foldersOnly = filter & kFoldersOnly;
    FolderEntries folder;
    while (!stop || !stop->load(std::memory_order_relaxed)) {
        const long got = ::syscall(SYS_getdents64, folderFd, buffer.data(), buffer.size());
        if (got <= 0) break;
        // Once, from the first batch: a record takes 24 bytes besides its name, so this is
        // room for every entry it holds (and most folders fit one batch).
        if (folder.Count() == 0) folder.Reserve(std::size_t(got) / 24, std::size_t(got));
        for (long at = 0; at < got;) {
            const auto* record = reinterpret_cast<const KernelEntry*>(buffer.data() + at);
            at += record->reclen;
            if (foldersOnly && record->type != DT_DIR && record->type != DT_UNKNOWN) continue;
            const std::uint32_t attributes = AttributesOf(folderFd, record->name, record->type, systemRoot);
            if (attributes == kNotListed || (attributes & skipped)) continue;
            if (foldersOnly && !(attributes & faDirectory)) continue;
            folder.Add(record->name, attributes);
        }
    }
    folder.Sort();
    return folder;
}

}  // namespace platform
