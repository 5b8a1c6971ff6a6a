#include "platform/win32/Win32DriveSystem.h"

#include <windows.h>
#include <winnetwk.h>

#include "sjis/Cp932.h"

namespace platform {

namespace {

constexpr DWORD kNameBuffer = 261;

// A drive that is not ready answers with a failure instead of the system's error box;
// the previous mode comes back however the query ends.
class CriticalErrorsFailed {
public:
    CriticalErrorsFailed() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorsFailed() { SetErrorMode(previous_); }
    CriticalErrorsFailed(const CriticalErrorsFailed&) = delete;
    CriticalErrorsFailed& operator=(const CriticalErrorsFailed&) = delete;

private:
    UINT previous_;
};

std::string RootPath(char letter) { return std::string(1, sjis::AsciiLower(letter)) + ":\\"; }

}  // namespace

std::uint32_t Win32DriveSystem::LogicalDrives() { return GetLogicalDrives(); }

DriveType Win32DriveSystem::TypeOf(char letter) {
    const UINT type = GetDriveTypeA(RootPath(letter).c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

std::optional<std::string> Win32DriveSystem::VolumeLabel(char letter) {
    const CriticalErrorsFailed guard;
    char label[kNameBuffer] = {0};
    if (!GetVolumeInformationA(RootPath(letter).c_str(), label, kNameBuffer, nullptr, nullptr, nullptr, nullptr, 0))
        return std::nullopt;
    return std::string(label);
}

std::optional<std::string> Win32DriveSystem::RemoteName(char letter) {
    const char local[] = {sjis::AsciiUpper(letter), ':', '\0'};
    char remote[kNameBuffer] = {0};
    DWORD length = kNameBuffer;
    if (WNetGetConnectionA(local, remote, &length) != NO_ERROR) return std::nullopt;
    return std::string(remote);
}

std::string Win32DriveSystem::CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return std::string();
    std::string folder(needed, '\0');
    const DWORD written = GetCurrentDirectoryA(needed, folder.data());
    folder.resize(written < needed ? written : 0);
    return folder;
}

std::string Win32DriveSystem::NativeRoot(char letter) { return RootPath(letter); }

// The full path with a small drive letter; a network path (\\server\share) has no letter.
std::optional<FolderPlace> Win32DriveSystem::Locate(const std::string& nativePath) {
    if (nativePath.empty()) return std::nullopt;
    const DWORD needed = GetFullPathNameA(nativePath.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::nullopt;
    std::string full(needed, '\0');
    const DWORD written = GetFullPathNameA(nativePath.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return std::nullopt;
    full.resize(written);
    if (GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (!sjis::EndsWithSeparator(full)) full += '\\';
    FolderPlace place;
    if (full.size() >= 2 && full[1] == ':') {
        full[0] = sjis::AsciiLower(full[0]);
        place.letter = full[0];
    }
    place.rootText = full;
    place.nativePath = full;
    return place;
}

}  // namespace platform
