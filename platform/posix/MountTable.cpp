#include "platform/posix/MountTable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <utility>

namespace platform::posix {

namespace {

constexpr std::array<std::string_view, 27> kPseudoTypes = {
    "proc",    "sysfs",           "cgroup",      "cgroup2",    "devpts",     "mqueue",   "debugfs",
    "tracefs", "securityfs",      "pstore",      "bpf",        "configfs",   "fusectl",  "hugetlbfs",
    "autofs",  "binfmt_misc",     "devtmpfs",    "nsfs",       "rpc_pipefs", "efivarfs", "selinuxfs",
    "rootfs",  "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "usbfs",      "devfs"};

constexpr std::array<std::string_view, 4> kSystemAreas = {"/proc", "/sys", "/dev", "/run"};
// Read-only package images nobody would call disks.
constexpr std::string_view kSnaps = "/snap";

constexpr std::array<std::string_view, 13> kRemoteTypes = {"nfs",       "nfs4",           "cifs", "smb3", "smbfs",
                                                           "sshfs",     "fuse.sshfs",     "9p",   "afs",  "ceph",
                                                           "glusterfs", "fuse.glusterfs", "ncpfs"};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool AtOrUnder(std::string_view path, std::string_view area) {
    return path.substr(0, area.size()) == area && (path.size() == area.size() || path[area.size()] == '/');
}

std::string Unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size();
        if (octal &&
            std::all_of(field.begin() + i + 1, field.begin() + i + 4, [](char c) { return c >= '0' && c <= '7'; })) {
            out += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        pos = end;
    }
    return fields;
}

bool ParseDevice(std::string_view field, unsigned& major, unsigned& minor) {
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos) return false;
    const char* end = field.data() + field.size();
    return std::from_chars(field.data(), field.data() + colon, major).ec == std::errc() &&
           std::from_chars(field.data() + colon + 1, end, minor).ec == std::errc();
}

// Fields: id parent major:minor root mountpoint options [optional...] - type source superoptions
bool ParseLine(std::string_view line, MountEntry& entry) {
    const std::vector<std::string_view> fields = Fields(line);
    const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || dash - fields.begin() < 6 || fields.end() - dash < 3) return false;
    if (!ParseDevice(fields[2], entry.major, entry.minor)) return false;
    entry.root = Unescape(fields[3]);
    entry.mountPoint = Unescape(fields[4]);
    entry.fsType = Unescape(dash[1]);
    entry.source = Unescape(dash[2]);
    entry.superOptions = fields.end() - dash > 3 ? Unescape(dash[3]) : std::string();
    return !entry.mountPoint.empty() && entry.mountPoint.front() == '/';
}

// The root of the file system a mount shows in full: "/" except for a btrfs subvolume,
// which names its own root in its options.
std::string OwnRoot(const MountEntry& entry) {
    constexpr std::string_view key = "subvol=";
    const std::string& options = entry.superOptions;
    for (std::size_t pos = 0; pos < options.size();) {
        const std::size_t end = std::min(options.find(',', pos), options.size());
        const std::string_view option = std::string_view(options).substr(pos, end - pos);
        if (option.substr(0, key.size()) == key) return std::string(option.substr(key.size()));
        pos = end + 1;
    }
    return "/";
}

bool IsCandidate(const MountEntry& entry) {
    if (entry.mountPoint == "/") return true;
    if (Among(kPseudoTypes, entry.fsType)) return false;
    return !InSystemArea(entry.mountPoint) && !AtOrUnder(entry.mountPoint, kSnaps);
}

DriveType TypeOf(const MountEntry& entry, const RemovableQuery& isRemovable) {
    const std::string& type = entry.fsType;
    if (Among(kRemoteTypes, type)) return DriveType::Remote;
    if (type == "tmpfs" || type == "ramfs") return DriveType::RamDisk;
    if (type == "iso9660" || type == "udf") return DriveType::CdRom;
    if (isRemovable && isRemovable(entry)) return DriveType::Removable;
    return DriveType::Fixed;
}

// Only the last mount at a mount point is visible; earlier ones are covered by it.
std::vector<MountEntry> VisibleMounts(std::vector<MountEntry> entries) {
    std::vector<MountEntry> visible;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const bool covered = std::any_of(entries.begin() + i + 1, entries.end(), [&](const MountEntry& later) {
            return later.mountPoint == entries[i].mountPoint;
        });
        if (!covered) visible.push_back(std::move(entries[i]));
    }
    return visible;
}

}  // namespace

bool InSystemArea(std::string_view path) {
    return std::any_of(kSystemAreas.begin(), kSystemAreas.end(),
                       [&](std::string_view area) { return AtOrUnder(path, area); });
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        MountEntry entry;
        if (ParseLine(text.substr(pos, end - pos), entry)) entries.push_back(std::move(entry));
        pos = end + 1;
    }
    return entries;
}

std::vector<MountedDrive> DrivesFromMountInfo(std::string_view text, const RemovableQuery& isRemovable) {
    const std::vector<MountEntry> mounts = VisibleMounts(ParseMountInfo(text));
    std::vector<MountedDrive> drives;
    std::set<std::pair<std::string, std::string>> seen;  // device and root already listed
    auto deviceKey = [](const MountEntry& m) { return std::to_string(m.major) + ":" + std::to_string(m.minor); };

    const auto root =
        std::find_if(mounts.begin(), mounts.end(), [](const MountEntry& m) { return m.mountPoint == "/"; });
    if (root != mounts.end()) {
        drives.push_back({'c', TypeOf(*root, isRemovable), *root});
        seen.insert({deviceKey(*root), root->root});
    }
    char next = 'd';
    for (const MountEntry& mount : mounts) {
        if (next > 'z') break;
        if (mount.mountPoint == "/" || !IsCandidate(mount)) continue;
        if (mount.root != OwnRoot(mount)) continue;  // a bind mount of a folder inside a file system
        if (!seen.insert({deviceKey(mount), mount.root}).second) continue;
        drives.push_back({next++, TypeOf(mount, isRemovable), mount});
    }
    return drives;
}

}  // namespace platform::posix
