#pragma once
// The exit status reaches the shell as soon as the program has it. The kernel keeps a
// process until its last thread has returned, and a thread reading a folder of a FUSE file
// system whose server holds the request cannot return: a scan stopped with Ctrl+C while a
// listing hangs leaves such a thread behind.
#include <functional>

namespace cli {

// Runs `program` in a child process while this one waits for its status and ends with it;
// the child, done, ends as soon as its last read comes back. Where there is no fork, the
// program runs here.
int RunWithStatusAtOnce(const std::function<int()>& program);

}  // namespace cli
