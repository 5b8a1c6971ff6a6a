#include "platform/Platform.h"
#include "platform/posix/PosixDesktop.h"
#include "platform/posix/PosixDriveSystem.h"
#include "platform/posix/PosixFileSystem.h"

namespace platform {

Platform& NativePlatform() {
    static PosixDriveSystem drives;
    static PosixFileSystem files;
    static PosixDesktop desktop;
    static Platform platform{drives, files, desktop};
    return platform;
}

}  // namespace platform
