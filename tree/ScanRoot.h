#pragma once
// Where a scan starts: a drive's root, or a folder the user chose.
#include <optional>
#include <string>

#include "platform/Platform.h"

struct ScanRoot {
    char letter = 0;         // the drive that holds it; 0 for none
    std::string text;        // the root node's text, code page 932
    std::string nativePath;  // the folder listed for it, ending with the native separator
    std::string nativeText;  // the root text as the file system spells it ("c:\" or a folder in drive form)
};

// A drive is ready when its root can be asked for and is a folder.
bool DriveIsReady(platform::FileSystem& files, const std::string& nativeRoot);

// The root of drive `letter` ("c:\"), when the drive is ready.
std::optional<ScanRoot> DriveScanRoot(platform::Platform& os, char letter);

// The folder a path names, with its path in drive form as the root text, when it is a
// folder that can be opened outside the system's own areas.
std::optional<ScanRoot> FolderScanRoot(platform::Platform& os, const std::string& nativePath);
