#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/posix/PosixTempFile.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Best effort: the rename is already done, this only makes it survive a power cut.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

class PosixTempFile final : public TempFile {
public:
    explicit PosixTempFile(std::string target) : target_(std::move(target)) {}
    ~PosixTempFile() override {
        if (fd_ >= 0) close(fd_);
        if (!temp_.empty()) unlink(temp_.c_str());
    }

    bool CheckTarget();
    bool CreateTemporary();
    bool Write(const char* data, std::size_t size) override;
    bool Finish() override;
    bool Replace() override;

private:
    std::string target_;  // symbolic links resolved
    std::string temp_;
    int fd_ = -1;
    bool replacing_ = false;
    mode_t mode_ = 0;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

bool PosixTempFile::CheckTarget() {
    if (target_.empty()) return false;
    struct stat info {};
    if (lstat(target_.c_str(), &info) != 0) {
        // Missing is fine; a name too long, a folder that is a file and the like are not.
        return errno == ENOENT;
    }
    if (S_ISLNK(info.st_mode)) {
        // Replace the file the link points to, not the link.
        std::unique_ptr<char, decltype(&std::free)> resolved(realpath(target_.c_str(), nullptr), &std::free);
        if (!resolved) return true;  // a dangling link is replaced by the new file
        target_ = resolved.get();
        if (stat(target_.c_str(), &info) != 0) return false;
    }
    if (!S_ISREG(info.st_mode)) return false;
    // Root may write anything; a file without write bits is still meant to stay.
    if ((info.st_mode & 0222) == 0 || access(target_.c_str(), W_OK) != 0) return false;
    replacing_ = true;
    mode_ = info.st_mode & 07777;
    uid_ = info.st_uid;
    gid_ = info.st_gid;
    return true;
}

bool PosixTempFile::CreateTemporary() {
    const std::string folder = FolderOf(target_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = folder + (folder.back() == '/' ? "" : "/") + ".orvale-" + RandomTag(8) + ".tmp";
        // 0666 less the umask, as any new file gets.
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) break;
    }
    return false;
}

bool PosixTempFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = write(fd_, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        data += done;
        size -= std::size_t(done);
    }
    return true;
}

bool PosixTempFile::Finish() {
    if (replacing_) {
        if (fchmod(fd_, mode_) != 0) return false;
        // Only root can hand the file back to its owner; anyone else keeps it as theirs.
        [[maybe_unused]] const int owned = fchown(fd_, uid_, gid_);
    }
    if (fsync(fd_) != 0) return false;
    return close(std::exchange(fd_, -1)) == 0;
}

bool PosixTempFile::Replace() {
    if (rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    SyncFolder(FolderOf(target_));
    return true;
}

}  // namespace

std::unique_ptr<TempFile> PosixTempFiles::Beside(const std::string& target) {
    auto file = std::make_unique<PosixTempFile>(target);
    if (!file->CheckTarget() || !file->CreateTemporary()) return nullptr;
    return file;
}

}  // namespace platform
