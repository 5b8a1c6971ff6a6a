#include "save/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <random>

#include "resources/Texts.h"
#include "save/SaveError.h"

namespace save {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kNameAttempts = 100;

AtomicFile::Faults activeFaults;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RandomTag() {
    static std::mt19937_64 engine{std::random_device{}()};
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tag(8, ' ');
    for (char& c : tag) c = kLetters[engine() % kLetters.size()];
    return tag;
}

// Best effort: the rename is already done, this only makes it survive a power cut.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

AtomicFile::ScopedFaults::ScopedFaults(const Faults& faults) : saved_(activeFaults) { activeFaults = faults; }
AtomicFile::ScopedFaults::~ScopedFaults() { activeFaults = saved_; }

AtomicFile::AtomicFile(const SavePath& target) : name_(target.name), target_(target.native) {
    CheckTarget();
    CreateTemporary();
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) close(fd_);
    if (!temp_.empty()) unlink(temp_.c_str());
}

void AtomicFile::FailCreate() const { throw SaveError(texts::Format(texts::kCannotCreateFile, name_)); }

void AtomicFile::FailWrite() { throw SaveError(texts::Cp932(texts::kStreamWriteError)); }

void AtomicFile::CheckTarget() {
    if (target_.empty()) FailCreate();
    struct stat info {};
    if (lstat(target_.c_str(), &info) != 0) {
        // Missing is fine; a name too long, a folder that is a file and the like are not.
        if (errno != ENOENT) FailCreate();
        return;
    }
    if (S_ISLNK(info.st_mode)) {
        // Replace the file the link points to, not the link.
        std::unique_ptr<char, decltype(&std::free)> resolved(realpath(target_.c_str(), nullptr), &std::free);
        if (!resolved) return;  // a dangling link is replaced by the new file
        target_ = resolved.get();
        if (stat(target_.c_str(), &info) != 0) FailCreate();
    }
    if (!S_ISREG(info.st_mode)) FailCreate();
    // Root may write anything; a file without write bits is still meant to stay.
    if ((info.st_mode & 0222) == 0 || access(target_.c_str(), W_OK) != 0) FailCreate();
    replacing_ = true;
    mode_ = info.st_mode & 07777;
    uid_ = info.st_uid;
    gid_ = info.st_gid;
}

void AtomicFile::CreateTemporary() {
    const std::string folder = FolderOf(target_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = folder + (folder.back() == '/' ? "" : "/") + ".orvale-" + RandomTag() + ".tmp";
        // 0666 less the umask, as any new file gets.
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST) break;
    }
    FailCreate();
}

void AtomicFile::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() <= kBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= kBufferSize)
        WriteOut(bytes.data(), bytes.size());
    else
        buffer_.append(bytes);
}

void AtomicFile::Flush() {
    if (buffer_.empty()) return;
    WriteOut(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void AtomicFile::WriteOut(const char* data, std::size_t size) {
    if (activeFaults.writableBytes >= 0 && written_ + std::int64_t(size) > activeFaults.writableBytes) {
        // Fill the disk as far as it goes, then fail the way a full disk does.
        size = std::size_t(std::max<std::int64_t>(0, activeFaults.writableBytes - written_));
        WriteOut(data, size);
        FailWrite();
    }
    while (size > 0) {
        const ssize_t done = write(fd_, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) FailWrite();
        data += done;
        size -= std::size_t(done);
        written_ += done;
    }
}

void AtomicFile::Commit() {
    Flush();
    if (replacing_) {
        if (fchmod(fd_, mode_) != 0) FailWrite();
        // Only root can hand the file back to its owner; anyone else keeps it as theirs.
        [[maybe_unused]] const int owned = fchown(fd_, uid_, gid_);
    }
    if (activeFaults.failSync || fsync(fd_) != 0) FailWrite();
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) FailWrite();
    if (activeFaults.failRename || rename(temp_.c_str(), target_.c_str()) != 0) FailCreate();
    temp_.clear();
    SyncFolder(FolderOf(target_));
}

}  // namespace save
