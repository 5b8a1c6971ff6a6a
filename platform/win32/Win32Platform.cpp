#include "platform/Platform.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32DriveSystem.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform {

Platform& NativePlatform() {
    static Win32DriveSystem drives;
    static Win32FileSystem files;
    static Win32Desktop desktop;
    static Platform platform{drives, files, desktop};
    return platform;
}

}  // namespace platform
