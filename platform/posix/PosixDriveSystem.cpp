#include "platform/posix/PosixDriveSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <memory>
#include <sstream>

#include "drives/FolderRootText.h"
#include "sjis/Cp932.h"

namespace platform {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The block device behind a mount; 0 when there is none. Only paths under /dev are looked at.
dev_t BlockDevice(const posix::MountEntry& mount) {
    struct stat info {};
    if (mount.source.rfind("/dev/", 0) == 0 && stat(mount.source.c_str(), &info) == 0 && S_ISBLK(info.st_mode))
        return info.st_rdev;
    return mount.major != 0 ? makedev(mount.major, mount.minor) : 0;
}

bool FlagSet(const std::string& path) { return ReadFile(path).rfind('1', 0) == 0; }

// A partition has no flag of its own; its disk, one level up in sysfs, has it.
bool IsRemovable(const posix::MountEntry& mount) {
    const dev_t device = BlockDevice(mount);
    if (device == 0) return false;
    const std::string base = "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
    return FlagSet(base + "/removable") || FlagSet(base + "/../removable");
}

// udev writes unsafe bytes of a label as \xNN.
std::string DecodeLabel(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned byte = 0;
        const bool escaped =
            name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            std::from_chars(name.data() + i + 2, name.data() + i + 4, byte, 16).ptr == name.data() + i + 4;
        if (escaped) {
            out += char(byte);
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

// The label from the links udev keeps under /dev; reading them touches nothing but /dev.
std::optional<std::string> FileSystemLabel(const posix::MountEntry& mount) {
    const dev_t device = BlockDevice(mount);
    if (device == 0) return std::nullopt;
    const std::string folder = "/dev/disk/by-label/";
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) return std::nullopt;
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.') continue;
        struct stat info {};
        if (stat((folder + entry->d_name).c_str(), &info) == 0 && S_ISBLK(info.st_mode) && info.st_rdev == device)
            return DecodeLabel(entry->d_name);
    }
    return std::nullopt;
}

std::string BackslashForm(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

}  // namespace

void PosixDriveSystem::ReadMountTable() {
    drives_ = posix::DrivesFromMountInfo(ReadFile("/proc/self/mountinfo"), IsRemovable);
    read_ = true;
}

const std::vector<posix::MountedDrive>& PosixDriveSystem::Drives() {
    if (!read_) ReadMountTable();
    return drives_;
}

const posix::MountedDrive* PosixDriveSystem::Find(char letter) {
    const char small = sjis::AsciiLower(letter);
    for (const posix::MountedDrive& drive : Drives())
        if (drive.letter == small) return &drive;
    return nullptr;
}

std::uint32_t PosixDriveSystem::LogicalDrives() {
    ReadMountTable();
    std::uint32_t mask = 0;
    for (const posix::MountedDrive& drive : drives_) mask |= 1u << (drive.letter - 'a');
    return mask;
}

DriveType PosixDriveSystem::TypeOf(char letter) {
    const posix::MountedDrive* drive = Find(letter);
    return drive ? drive->type : DriveType::NoRootDir;
}

std::optional<std::string> PosixDriveSystem::VolumeLabel(char letter) {
    const posix::MountedDrive* drive = Find(letter);
    if (!drive) return std::nullopt;
    const std::optional<std::string> label =
        drive->type == DriveType::Remote ? std::nullopt : FileSystemLabel(drive->mount);
    return sjis::FromUtf8(label.value_or(drive->mount.mountPoint));
}

std::optional<std::string> PosixDriveSystem::RemoteName(char letter) {
    const posix::MountedDrive* drive = Find(letter);
    if (!drive || drive->type != DriveType::Remote) return std::nullopt;
    return sjis::FromUtf8(drive->mount.source);
}

std::string PosixDriveSystem::CurrentDirectory() {
    std::unique_ptr<char, void (*)(void*)> cwd(getcwd(nullptr, 0), free);
    if (!cwd) return std::string();
    const std::string path = cwd.get();
    const posix::MountedDrive* best = nullptr;
    for (const posix::MountedDrive& drive : Drives()) {
        const std::string& point = drive.mount.mountPoint;
        const bool contains = point == "/" || path == point || path.rfind(point + "/", 0) == 0;
        if (contains && (!best || point.size() > best->mount.mountPoint.size())) best = &drive;
    }
    if (!best) return std::string();
    const std::string rest = best->mount.mountPoint == "/"
                                 ? path.substr(1)
                                 : path.substr(std::min(path.size(), best->mount.mountPoint.size() + 1));
    return std::string(1, sjis::AsciiUpper(best->letter)) + ":\\" + sjis::FromUtf8(BackslashForm(rest));
}

std::string PosixDriveSystem::NativeRoot(char letter) {
    const posix::MountedDrive* drive = Find(letter);
    if (!drive) return std::string();
    const std::string& point = drive->mount.mountPoint;
    return point.back() == '/' ? point : point + "/";
}

std::optional<FolderPlace> PosixDriveSystem::Locate(const std::string& nativePath) {
    if (nativePath.empty()) return std::nullopt;
    std::unique_ptr<char, void (*)(void*)> resolved(realpath(nativePath.c_str(), nullptr), free);
    if (!resolved) return std::nullopt;
    const std::string real = resolved.get();
    if (posix::InSystemArea(real)) return std::nullopt;
    std::vector<drives::DriveMount> mounts;
    for (const posix::MountedDrive& drive : Drives()) mounts.push_back({drive.letter, drive.mount.mountPoint});
    const drives::DriveMount* holder = drives::HoldingDrive(mounts, real);
    const std::optional<std::string> text = drives::FolderRootText(mounts, real);
    if (!holder || !text) return std::nullopt;
    return FolderPlace{holder->letter, *text, real == "/" ? real : real + "/"};
}

}  // namespace platform
