#include "platform/win32/Win32DriveSystem.h"

#include <windows.h>
#include <winnetwk.h>

#include "platform/LongPathForm.h"
#include "platform/WideText.h"
#include "platform/win32/Win32Names.h"
#include "sjis/Cp932.h"

namespace platform {

namespace {

// A label holds at most 32 characters; a remote name is asked again when it is longer.
constexpr DWORD kNameBuffer = MAX_PATH + 1;

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

std::wstring RootPath(char letter) { return {wchar_t(sjis::AsciiLower(letter)), L':', L'\\'}; }

std::wstring_view UpToZero(const std::wstring& buffer) { return std::wstring_view(buffer.c_str()); }

}  // namespace

std::uint32_t Win32DriveSystem::LogicalDrives() { return GetLogicalDrives(); }

DriveType Win32DriveSystem::TypeOf(char letter) {
    const UINT type = GetDriveTypeW(RootPath(letter).c_str());
    return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

std::optional<std::string> Win32DriveSystem::VolumeLabel(char letter) {
    const CriticalErrorsFailed guard;
    std::wstring label(kNameBuffer, L'\0');
    if (!GetVolumeInformationW(RootPath(letter).c_str(), label.data(), kNameBuffer, nullptr, nullptr, nullptr, nullptr,
                               0))
        return std::nullopt;
    return Cp932FromWide(UpToZero(label));
}

std::optional<std::string> Win32DriveSystem::RemoteName(char letter) {
    const wchar_t local[] = {wchar_t(sjis::AsciiUpper(letter)), L':', L'\0'};
    DWORD length = kNameBuffer;
    std::wstring remote(length, L'\0');
    DWORD status = WNetGetConnectionW(local, remote.data(), &length);
    if (status == ERROR_MORE_DATA) {
        remote.assign(length, L'\0');
        status = WNetGetConnectionW(local, remote.data(), &length);
    }
    if (status != NO_ERROR) return std::nullopt;
    return Cp932FromWide(UpToZero(remote));
}

std::string Win32DriveSystem::CurrentDirectory() { return Cp932FromWide(CurrentFolder()); }

std::string Win32DriveSystem::NativeRoot(char letter) { return std::string(1, sjis::AsciiLower(letter)) + ":\\"; }

// The full path as the user reads it, with a small drive letter; a UNC path
// (\\server\share\...) has no letter.
std::optional<FolderPlace> Win32DriveSystem::Locate(const std::string& nativePath) {
    const std::wstring path = Win32Path(nativePath);
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    std::string full = NativeFromUtf16(DriveForm(std::u16string(path.begin(), path.end())));
    if (full.back() != '\\') full += '\\';
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
