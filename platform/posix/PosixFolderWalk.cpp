#include "platform/posix/PosixFolderWalk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/EntriesListing.h"
#include "platform/posix/OpenFolder.h"
#include "platform/posix/ReadEntries.h"

namespace platform {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool openat2Missing = false;

}  // namespace

PosixFolderWalk::PosixFolderWalk(std::string nativeRoot) : root_(std::move(nativeRoot)), buffer_(kBufferBytes) {
    levels_.push_back({});
}

PosixFolderWalk::~PosixFolderWalk() {
    for (Level& level : levels_) Close(level);
}

void PosixFolderWalk::Close(Level& level) {
    if (level.fd >= 0) ::close(level.fd);
    level.fd = -1;
}

void PosixFolderWalk::Enter(std::string_view nativeName) {
    const bool parentFailed = levels_.back().failed;
    levels_.push_back({std::string(nativeName), -1, parentFailed, false});
    if (levels_.size() > kWindow + 1) {
        const std::size_t old = levels_.size() - 1 - kWindow;
        if (old % kCheckpoint != 0) Close(levels_[old]);
    }
}

void PosixFolderWalk::Leave() {
    if (levels_.size() < 2) return;
    Close(levels_.back());
    levels_.pop_back();
}

int PosixFolderWalk::OpenChild(int parentFd, const std::string& name) {
    if (!openat2Missing) {
        const int fd = OpenFolderBelow(parentFd, name);
        if (fd >= 0 || (errno != ENOSYS && errno != EPERM)) return fd;
        openat2Missing = true;
    }
    const int fd = ::openat(parentFd, name.c_str(), kFolderFlags);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || info.st_dev != rootDevice_)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The descriptor of a level, opening it and any closed levels above it on the way down
// from the nearest level still open.
int PosixFolderWalk::Fd(std::size_t index) {
    std::size_t from = index;
    while (from > 0 && levels_[from].fd < 0 && !levels_[from].failed) --from;
    if (from == 0 && levels_[0].fd < 0 && !levels_[0].failed) {
        levels_[0].fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (levels_[0].fd >= 0 && ::fstat(levels_[0].fd, &info) == 0) rootDevice_ = info.st_dev;
        levels_[0].failed = levels_[0].fd < 0;
    }
    for (std::size_t i = from + 1; i <= index; ++i) {
        Level& level = levels_[i];
        if (levels_[i - 1].failed) {
            level.failed = true;
            continue;
        }
        level.fd = OpenChild(levels_[i - 1].fd, level.name);
        level.failed = level.fd < 0;
    }
    return levels_[index].fd;
}

std::unique_ptr<FolderListing> PosixFolderWalk::List(std::uint32_t filter) {
    const std::size_t top = levels_.size() - 1;
    const int fd = Fd(top);
    if (fd < 0) return nullptr;
    if (levels_[top].listed) ::lseek(fd, 0, SEEK_SET);
    levels_[top].listed = true;
    const bool systemRoot = top == 0 && root_ == "/";
    return std::make_unique<EntriesListing>(
        std::make_shared<const FolderEntries>(ReadEntries(fd, buffer_, filter, systemRoot)));
}

}  // namespace platform
