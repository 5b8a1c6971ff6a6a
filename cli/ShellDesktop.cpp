#include "cli/ShellDesktop.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

#ifdef _WIN32

constexpr UINT kInterruptedStatus = 130;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (interrupted.exchange(true)) ExitProcess(kInterruptedStatus);
    return TRUE;
}

void Catch() { SetConsoleCtrlHandler(OnControl, TRUE); }
void Release() { SetConsoleCtrlHandler(OnControl, FALSE); }

#else

// SA_RESETHAND puts the default action back as the handler starts: a second Ctrl+C ends
// the program where it stands, as the user asks for.
void OnInterrupt(int) { interrupted.store(true); }

void Catch() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

void Release() { std::signal(SIGINT, SIG_DFL); }

#endif

}  // namespace

ShellDesktop::ShellDesktop() {
    interrupted.store(false);
    Catch();
}

ShellDesktop::~ShellDesktop() { Release(); }

bool ShellDesktop::EscapeDown() {
    if (onPoll) onPoll();
    return interrupted.load(std::memory_order_relaxed);
}

bool ShellDesktop::Interrupted() { return interrupted.load(); }

}  // namespace cli
