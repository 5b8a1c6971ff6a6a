#include "cli/StatusAtOnce.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#endif

namespace cli {

#ifdef _WIN32

int RunWithStatusAtOnce(const std::function<int()>& program) { return program(); }

#else

namespace {

volatile sig_atomic_t childPid = 0;
volatile sig_atomic_t interrupts = 0;

// Ctrl+C is the child's to handle: from the terminal it reaches the child as well, else it
// is handed on. A second one ends this process where it stands, as it ends the child.
void OnInterrupt(int, siginfo_t* info, void*) {
    if (info->si_code != SI_KERNEL) ::kill(childPid, SIGINT);
    interrupts = interrupts + 1;
    if (interrupts >= 2) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}

[[noreturn]] void RunChild(const std::function<int()>& program, int statusFd) {
    const int status = program();
    std::fflush(nullptr);
    // Nothing more is written: a pipe reading the output ends now, not when the child does.
    for (int fd = 0; fd <= 2; ++fd) ::close(fd);
    const unsigned char byte = static_cast<unsigned char>(status);
    while (::write(statusFd, &byte, 1) < 0 && errno == EINTR) {}
    ::_exit(status);
}

// The child's own end, where it ended without telling its status (killed, or a crash).
int EndAsChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFSIGNALED(status)) {
        std::signal(WTERMSIG(status), SIG_DFL);
        std::raise(WTERMSIG(status));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int RunWithStatusAtOnce(const std::function<int()>& program) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return program();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return program();
    }
    if (child == 0) {
        ::close(fds[0]);
        RunChild(program, fds[1]);
    }
    ::close(fds[1]);
    childPid = child;
    struct sigaction action {};
    action.sa_sigaction = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO;
    sigaction(SIGINT, &action, nullptr);

    unsigned char byte = 0;
    ssize_t got = 0;
    while ((got = ::read(fds[0], &byte, 1)) < 0 && errno == EINTR) {}
    ::close(fds[0]);
    if (got != 1) return EndAsChild(child);
    // It ends right after telling, unless a read of it still hangs: then it is left to end
    // on its own, and the system takes it up.
    for (int i = 0; i < 10; ++i) {
        if (::waitpid(child, nullptr, WNOHANG) != 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return byte;
}

#endif

}  // namespace cli
