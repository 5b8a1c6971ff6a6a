#include "platform/KeylessDesktop.h"
#include "platform/Platform.h"
#include "platform/posix/PosixDriveSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixTempFile.h"

namespace platform {

Platform& NativePlatform() {
    static PosixDriveSystem drives;
    static PosixFileSystem files;
    static KeylessDesktop desktop;
    static PosixTempFiles saves;
    static Platform platform{drives, files, desktop, saves};
    return platform;
}

}  // namespace platform
