#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class DriveType : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A folder as the drives see it.
struct FolderPlace {
    char letter = 0;         // the listed drive that holds it, a small letter; 0 for none
    std::string rootText;    // its path in drive form, natively spelled, ending with "\"
    std::string nativePath;  // its real path, ending with the native separator
};

// The drives of the machine, asked the way the drive selector asks.
// Letters are small letters 'a'..'z'; texts are code page 932.
class DriveSystem {
public:
    virtual ~DriveSystem() = default;
    // Bit 0 for a up to bit 25 for z.
    virtual std::uint32_t LogicalDrives() = 0;
    virtual DriveType TypeOf(char letter) = 0;
    // Volume label; nullopt when it cannot be read. Never prompts, never hangs.
    virtual std::optional<std::string> VolumeLabel(char letter) = 0;
    // Remote name of a network drive; nullopt when it has none.
    virtual std::optional<std::string> RemoteName(char letter) = 0;
    // The process's current directory in drive-letter form ("C:\\work", or "\\\\server\\share").
    virtual std::string CurrentDirectory() = 0;
    // Native path of the drive's root folder ("c:\\" on Windows, the mount point on Linux),
    // ending with the native separator.
    virtual std::string NativeRoot(char letter) = 0;
    // Where the folder a path names lies (a relative path from the current directory, links
    // resolved); nullopt when the path names nothing there is, or lies in a system area.
    // Whether it is a folder that can be opened is the file system's to say.
    virtual std::optional<FolderPlace> Locate(const std::string& nativePath) = 0;
};

}  // namespace platform
