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

}  // namespace platform
