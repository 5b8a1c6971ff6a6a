#include "platform/posix/PosixFolderReader.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/posix/ListingWait.h"
#include "platform/posix/OpenFolder.h"
#include "platform/posix/ReadEntries.h"

namespace platform {

namespace {

constexpr std::size_t kBufferBytes = 32 * 1024;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::atomic<bool> openat2Missing = false;

struct Descriptor final : ReadPlace {
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor() override { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

// Where the kernel has no openat2 (or a sandbox refuses it): one name at a time, refusing
// links by O_NOFOLLOW and other file systems by their device.
int OpenByNames(int fromFd, std::span<const std::string> names) {
    struct stat from {};
    if (::fstat(fromFd, &from) != 0) return -1;
    int fd = fromFd;
    for (const std::string& name : names) {
        const int next = ::openat(fd, name.c_str(), kFolderFlags);
        const int error = errno;
        if (fd != fromFd) ::close(fd);
        struct stat info {};
        if (next >= 0 && (::fstat(next, &info) != 0 || info.st_dev != from.st_dev)) {
            ::close(next);
            errno = EXDEV;
            return -1;
        }
        errno = error;
        if (next < 0) return -1;
        fd = next;
    }
    return fd;
}

// The kernel's word on the thread's waits: block reads from a device and sleeps.
class RusageWatch final : public ListingWatch {
public:
    RusageWatch() : blockCountsKept_(::access("/proc/self/io", R_OK) == 0) { Sample(); }

    // Only reads past the short bound pay for asking the kernel how they went.
    bool Waited(std::chrono::steady_clock::duration took) override {
        ListingSigns signs;
        if (took >= PosixFolderReader::kSlowRead) {
            const long blocks = blocksRead_, sleeps = sleeps_;
            if (Sample()) {
                if (blockCountsKept_) signs.readBlocks = blocksRead_ > blocks;
                signs.slept = sleeps_ > sleeps;
            }
        }
        return ListingWaited(took, PosixFolderReader::kSlowRead, signs);
    }
    void Restart() override { Sample(); }

private:
    bool Sample() {
        struct rusage usage {};
        if (::getrusage(RUSAGE_THREAD, &usage) != 0) return false;
        blocksRead_ = usage.ru_inblock;
        sleeps_ = usage.ru_nvcsw;
        return true;
    }

    bool blockCountsKept_;  // the kernel counts each thread's block reads
    long blocksRead_ = 0;
    long sleeps_ = 0;  // the thread's voluntary context switches
};

}  // namespace

PosixFolderReader::PosixFolderReader(std::string nativeRoot)
    : root_(std::move(nativeRoot)), systemRoot_(root_ == "/") {}

int PosixFolderReader::Open(const ReadPlace* base, std::span<const std::string> names, int& error) const {
    int rootFd = -1;
    int fromFd = base ? static_cast<const Descriptor*>(base)->fd : -1;
    if (!base) {
        rootFd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (rootFd < 0 || names.empty()) {
            error = errno;
            return rootFd;
        }
        fromFd = rootFd;
    }
    int fd = -1;
    if (!openat2Missing.load(std::memory_order_relaxed)) {
        thread_local std::string relative;  // kept, as the scan opens every folder
        relative.clear();
        for (const std::string& name : names) {
            if (!relative.empty()) relative += '/';
            relative += name;
        }
        fd = OpenFolderBelow(fromFd, relative);
        if (fd < 0 && (errno == ENOSYS || errno == EPERM)) openat2Missing = true;
    }
    if (openat2Missing.load(std::memory_order_relaxed)) fd = OpenByNames(fromFd, names);
    error = errno;
    if (rootFd >= 0) ::close(rootFd);
    return fd;
}

FolderRead PosixFolderReader::Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t filter,
                                   bool keepPlace, const std::atomic<bool>& stop) {
    FolderRead read;
    int error = 0;
    const int fd = Open(base, names, error);
    if (fd < 0) {
        // Out of descriptors or memory is no answer about the folder.
        const bool resources = error == EMFILE || error == ENFILE || error == ENOMEM;
        read.status = resources ? FolderRead::Status::kNoAnswer : FolderRead::Status::kUnreadable;
        return read;
    }
    thread_local std::vector<char> buffer(kBufferBytes);
    read.entries = ReadEntries(fd, buffer, filter, systemRoot_ && !base && names.empty(), &stop);
    read.status = FolderRead::Status::kListed;
    if (keepPlace && read.entries.HasSubfolders()) {
        read.place = std::make_shared<const Descriptor>(fd);
    } else {
        ::close(fd);
    }
    return read;
}

std::unique_ptr<ListingWatch> PosixFolderReader::Watch() { return std::make_unique<RusageWatch>(); }

}  // namespace platform
