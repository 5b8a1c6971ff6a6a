#pragma once
#include <string_view>

namespace platform {

// Opens the folder at `relative` (one name or several joined by "/") below the open folder
// `fromFd` in one call that neither crosses into another mounted file system nor passes
// through a symbolic link anywhere on the way. -1 with errno set when refused; errno is
// ENOSYS (or EPERM where a sandbox blocks the call) when the kernel has no such call.
int OpenFolderBelow(int fromFd, std::string_view relative);

}  // namespace platform
