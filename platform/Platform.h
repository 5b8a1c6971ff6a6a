#pragma once
#include <memory>
#include <string_view>

#include "platform/Desktop.h"
#include "platform/DriveSystem.h"
#include "platform/FileSystem.h"
#include "platform/TempFile.h"

namespace platform {

// The operating system as the program sees it.
struct Platform {
    DriveSystem& drives;
    FileSystem& files;
    Desktop& desktop;
    TempFiles& saves;
};

// The platform in use: the one put in place last, else the machine's own.
Platform& Current();
// Puts a platform in place (the program does at start) and returns the one it replaces,
// nullptr for the machine's own. The platform must outlive its time in place.
Platform* Install(Platform* platform);

// The machine's own drives, folders and saves, with a desktop that has no keyboard to ask
// (ESC never reads as down).
Platform& NativePlatform();

// The user's keyboard and speaker. On Linux ESC is read from the key map of the X server
// `xDisplay` names (library orvale_x11, which the window links); with none it never reads
// as down. Windows asks the system itself.
std::unique_ptr<Desktop> NativeDesktop(std::string_view xDisplay);

}  // namespace platform
