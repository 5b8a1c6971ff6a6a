#include "doubles/FakeDriveSystem.h"

#include "sjis/Cp932.h"

namespace platform {

namespace {
int IndexOf(char letter) {
    return (letter >= 'a' && letter <= 'z') ? letter - 'a' : (letter >= 'A' && letter <= 'Z') ? letter - 'A' : -1;
}
}  // namespace

void FakeDriveSystem::Add(char letter, DriveType type, std::optional<std::string> label) {
    Drive& drive = drives.at(IndexOf(letter));
    drive.type = type;
    drive.label = std::move(label);
}

std::uint32_t FakeDriveSystem::LogicalDrives() {
    std::uint32_t mask = 0;
    for (int i = 0; i < 26; ++i)
        if (drives[i].type != DriveType::NoRootDir) mask |= 1u << i;
    return mask;
}

DriveType FakeDriveSystem::TypeOf(char letter) {
    const int index = IndexOf(letter);
    return index < 0 ? DriveType::NoRootDir : drives[index].type;
}

std::optional<std::string> FakeDriveSystem::VolumeLabel(char letter) {
    const int index = IndexOf(letter);
    if (index < 0) return std::nullopt;
    ++drives[index].labelQueries;
    return drives[index].label;
}

std::optional<std::string> FakeDriveSystem::RemoteName(char letter) {
    const int index = IndexOf(letter);
    return index < 0 ? std::nullopt : drives[index].remoteName;
}

std::string FakeDriveSystem::NativeRoot(char letter) { return std::string(1, letter) + ":\\"; }

std::optional<FolderPlace> FakeDriveSystem::Locate(const std::string& nativePath) {
    if (nativePath.size() < 3 || nativePath[1] != ':' || nativePath[2] != '\\') return std::nullopt;
    const int index = IndexOf(nativePath[0]);
    if (index < 0 || drives[index].type == DriveType::NoRootDir) return std::nullopt;
    std::string path = nativePath;
    path[0] = sjis::AsciiLower(path[0]);
    if (!sjis::EndsWithSeparator(path)) path += '\\';
    return FolderPlace{path[0], path, path};
}

}  // namespace platform
