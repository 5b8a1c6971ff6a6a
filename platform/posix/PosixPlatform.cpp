#include "platform/Platform.h"
#include "platform/posix/PosixDesktop.h"
#include "platform/posix/PosixDriveSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixTempFile.h"

namespace platform {

Platform& NativePlatform() {
    static PosixDriveSystem drives;
    static PosixFileSystem files;
    static PosixDesktop desktop{std::string()};
    static PosixTempFiles saves;
    static Platform platform{drives, files, desktop, saves};
    return platform;
}

std::unique_ptr<Desktop> NativeDesktop(std::string_view xDisplay) {
    return std::make_unique<PosixDesktop>(std::string(xDisplay));
}

}  // namespace platform
