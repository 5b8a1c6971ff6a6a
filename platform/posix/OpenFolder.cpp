#include "platform/posix/OpenFolder.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {

namespace {

// Well below PATH_MAX, at a name boundary: a longer path is opened in several steps.
constexpr std::size_t kStepBytes = 3072;

int OpenStep(int fromFd, const std::string& relative) {
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    return int(::syscall(SYS_openat2, fromFd, relative.c_str(), &how, sizeof how));
}

}  // namespace

int OpenFolderBelow(int fromFd, std::string_view relative) {
    int fd = fromFd;
    // The thread's own, kept: a scan opens a folder for every folder it lists.
    thread_local std::string step;
    while (!relative.empty()) {
        std::size_t cut = relative.size();
        if (cut > kStepBytes) cut = relative.rfind('/', kStepBytes);
        if (cut == 0 || cut == std::string_view::npos) cut = relative.find('/');  // one name alone
        step.assign(relative.substr(0, cut));
        relative.remove_prefix(cut == std::string_view::npos ? relative.size() : std::min(cut + 1, relative.size()));
        const int next = OpenStep(fd, step);
        const int error = errno;
        if (fd != fromFd) ::close(fd);
        errno = error;
        if (next < 0) return -1;
        fd = next;
    }
    return fd;
}

}  // namespace platform
