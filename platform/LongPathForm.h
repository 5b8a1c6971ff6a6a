#pragma once
// A Windows path in the form that lifts the 260-character limit: "\\?\C:\..." for a drive,
// "\\?\UNC\server\share\..." for a share. That form turns Windows' own path parsing off, so
// the parsing it would do is done here first. Pure text work, so it is tested on every system;
// platform/win32 hands it the process's current folders.
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// What a path that is not fully qualified is taken against.
struct CurrentFolders {
    // The process's current folder, fully qualified ("C:\work", "\\server\share\x").
    std::function<std::u16string()> process;
    // The last folder used on a drive other than the process's (the shell keeps it as the
    // variable "=D:"); empty for none, when the drive's root stands in.
    std::function<std::u16string(char16_t letter)> ofDrive;
};

// `path` as a "\\?\" path. "/" counts as "\", runs of separators as one; a relative path is
// taken from the current folder, "\x" from its root, "d:x" from drive d's folder; "." names
// go and ".." takes the name before it away, never the root (the drive, or the share of a
// UNC path). A trailing separator is kept. Unlike Windows' own parsing, names keep their
// trailing dots and blanks: a folder listed as "x." must be the one reached, not "x".
// A "\\?\" path comes back as it is; an empty one stays empty.
std::u16string LongPathForm(std::u16string_view path, const CurrentFolders& current);

// The path a user reads for a "\\?\" one: "C:\x" for "\\?\C:\x", "\\server\share\x" for
// "\\?\UNC\server\share\x"; any other path as it is.
std::u16string DriveForm(std::u16string_view longPath);

}  // namespace platform
