#include "platform/Platform.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32DriveSystem.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TempFile.h"

namespace platform {

Platform& NativePlatform() {
    static Win32DriveSystem drives;
    static Win32FileSystem files;
    static Win32Desktop desktop;
    static Win32TempFiles saves;
    static Platform platform{drives, files, desktop, saves};
    return platform;
}

std::unique_ptr<Desktop> NativeDesktop(std::string_view) { return std::make_unique<Win32Desktop>(); }

}  // namespace platform
