// The mount-table parser and the drives made of it, on raw text and on tables rendered
// from fields drawn out of the input: fields come back unescaped, letters run from c in
// table order and never past z, left-out mounts have their reason, and the drive list
// texts built from the drives are well formed.
#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "doubles/FakeDriveSystem.h"
#include "drives/DriveListText.h"
#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"
#include "platform/posix/MountTable.h"
#include "sjis/Cp932.h"

namespace {

using fuzz::Require;
using platform::DriveType;
using platform::posix::MountedDrive;
using platform::posix::MountEntry;

constexpr std::array<std::string_view, 12> kMountPoints = {
    "/",        "/home",        "/mnt/data", "/media/usb",  "/mnt/a b", "/proc", "/sys/fs/cgroup", "/run/user/1000",
    "/dev/shm", "/snap/core/1", "/boot/efi", "/srv/\\share"};
constexpr std::array<std::string_view, 14> kTypes = {"ext4",    "btrfs",      "xfs",     "vfat",  "tmpfs",
                                                     "proc",    "sysfs",      "cgroup2", "nfs4",  "cifs",
                                                     "iso9660", "fuse.sshfs", "overlay", "devpts"};
constexpr std::array<std::string_view, 4> kRoots = {"/", "/", "/@home", "/sub dir"};
constexpr std::array<std::string_view, 4> kSuperOptions = {"rw", "rw,subvol=/@home", "ro,errors=remount-ro",
                                                           "rw,subvol=/"};
// Types that are disks by any reading: a mount of one of these is never left out for its type.
constexpr std::array<std::string_view, 9> kDiskTypes = {"ext4", "btrfs",   "xfs",        "vfat",   "tmpfs",
                                                        "nfs4", "iso9660", "fuse.sshfs", "overlay"};
constexpr std::array<std::string_view, 5> kSystemAreas = {"/proc", "/sys", "/dev", "/run", "/snap"};

template <std::size_t N>
std::string_view Pick(fuzz::FuzzInput& input, const std::array<std::string_view, N>& choices) {
    return choices[input.Below(N)];
}

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A field as the kernel writes it: space, tab, newline and backslash as octal escapes.
std::string Escaped(std::string_view field) {
    std::string out;
    for (const char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            const auto byte = static_cast<unsigned char>(c);
            out += '\\';
            out += char('0' + (byte >> 6));
            out += char('0' + ((byte >> 3) & 7));
            out += char('0' + (byte & 7));
        } else {
            out += c;
        }
    }
    return out;
}

// Sometimes a chosen value, sometimes bytes from the input; never empty.
template <std::size_t N>
std::string Field(fuzz::FuzzInput& input, const std::array<std::string_view, N>& choices, std::string_view lead) {
    if (input.Below(4) != 0) return std::string(Pick(input, choices));
    std::string field = std::string(lead) + input.Text(12);
    return field.empty() ? std::string("x") : field;
}

// A line of the table: its fields and how many optional fields ("shared:N") it carries.
struct DrawnLine {
    MountEntry entry;
    unsigned optionalFields = 0;
};

std::vector<DrawnLine> DrawLines(fuzz::FuzzInput& input) {
    std::vector<DrawnLine> lines;
    while (!input.Empty() && lines.size() < 60) {
        MountEntry entry;
        entry.major = input.Below(4);
        entry.minor = input.Below(8);
        entry.root = Field(input, kRoots, "/");
        entry.mountPoint = Field(input, kMountPoints, "/");
        entry.fsType = Field(input, kTypes, "");
        entry.source = input.Flag() ? "/dev/sd" + std::string(1, char('a' + entry.minor)) : Field(input, kTypes, "");
        entry.superOptions = Field(input, kSuperOptions, "rw,");
        const unsigned optionalFields = input.Below(3);
        // Now and then a run of like mounts on devices of their own, to run out of letters.
        const unsigned copies = input.Below(8) == 0 ? input.Below(40) : 0;
        for (unsigned k = 1; k <= copies && lines.size() < 60; ++k) {
            MountEntry copy = entry;
            copy.minor += 8 * k;
            copy.mountPoint += "/" + std::to_string(k);
            lines.push_back({std::move(copy), optionalFields});
        }
        lines.push_back({std::move(entry), optionalFields});
    }
    return lines;
}

std::string Render(const std::vector<DrawnLine>& lines) {
    std::string text;
    int id = 20;
    for (const auto& [e, optionalFields] : lines) {
        text += std::to_string(id++) + " 1 " + std::to_string(e.major) + ":" + std::to_string(e.minor) + " " +
                Escaped(e.root) + " " + Escaped(e.mountPoint) + " rw,relatime";
        for (unsigned k = 0; k < optionalFields; ++k) text += " shared:" + std::to_string(id + int(k));
        text += " - " + Escaped(e.fsType) + " " + Escaped(e.source) + " " + Escaped(e.superOptions) + "\n";
    }
    return text;
}

bool SameEntry(const MountEntry& a, const MountEntry& b) {
    return a.major == b.major && a.minor == b.minor && a.root == b.root && a.mountPoint == b.mountPoint &&
           a.fsType == b.fsType && a.source == b.source && a.superOptions == b.superOptions;
}

std::string OwnRoot(const MountEntry& entry) {
    const std::string& options = entry.superOptions;
    for (std::size_t pos = 0; pos <= options.size();) {
        const std::size_t end = std::min(options.find(',', pos), options.size());
        if (options.compare(pos, 7, "subvol=") == 0) return options.substr(pos + 7, end - pos - 7);
        pos = end + 1;
    }
    return "/";
}

bool InSystemArea(std::string_view path) {
    return std::any_of(kSystemAreas.begin(), kSystemAreas.end(), [&](std::string_view area) {
        return path.substr(0, area.size()) == area && (path.size() == area.size() || path[area.size()] == '/');
    });
}

DriveType ExpectedType(const MountEntry& entry, bool removable) {
    const std::string& type = entry.fsType;
    if (type == "nfs4" || type == "cifs" || type == "fuse.sshfs") return DriveType::Remote;
    if (type == "tmpfs") return DriveType::RamDisk;
    if (type == "iso9660") return DriveType::CdRom;
    if (type == "ext4" || type == "btrfs" || type == "xfs" || type == "vfat" || type == "overlay")
        return removable ? DriveType::Removable : DriveType::Fixed;
    return DriveType::Unknown;  // not pinned down here
}

void CheckDrives(const std::vector<MountEntry>& entries, const std::vector<MountedDrive>& drives,
                 const platform::posix::RemovableQuery& removable) {
    const bool hasRoot =
        std::any_of(entries.begin(), entries.end(), [](const MountEntry& e) { return e.mountPoint == "/"; });
    Require(drives.size() <= 24, "at most the letters c to z");
    const char first = hasRoot ? 'c' : 'd';
    std::set<std::pair<std::string, std::string>> devices;
    std::set<std::string> listedPoints;
    for (std::size_t k = 0; k < drives.size(); ++k) {
        const MountedDrive& drive = drives[k];
        Require(drive.letter == char(first + int(k)) && drive.letter <= 'z', "letters from c, in order, up to z");
        Require((drive.letter == 'c') == (drive.mount.mountPoint == "/"), "c holds / and only c does");
        const auto last = std::find_if(entries.rbegin(), entries.rend(),
                                       [&](const MountEntry& e) { return e.mountPoint == drive.mount.mountPoint; });
        Require(last != entries.rend() && SameEntry(*last, drive.mount), "a drive is the visible mount at its point");
        const std::string device = std::to_string(drive.mount.major) + ":" + std::to_string(drive.mount.minor);
        Require(devices.insert({device, drive.mount.root}).second, "no file system view is listed twice");
        listedPoints.insert(drive.mount.mountPoint);
        if (drive.letter == 'c') continue;
        Require(!InSystemArea(drive.mount.mountPoint), "system areas are no drives");
        Require(drive.mount.root == OwnRoot(drive.mount), "a folder bound elsewhere is no drive");
        const DriveType expected = ExpectedType(drive.mount, removable(drive.mount));
        Require(expected == DriveType::Unknown || drive.type == expected, "the type follows the file system");
    }
    if (!drives.empty() && drives.back().letter == 'z') return;
    // Every visible mount left out has its reason.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MountEntry& e = entries[i];
        const bool covered = std::any_of(entries.begin() + std::ptrdiff_t(i) + 1, entries.end(),
                                         [&](const MountEntry& later) { return later.mountPoint == e.mountPoint; });
        if (covered || listedPoints.count(e.mountPoint) || InSystemArea(e.mountPoint)) continue;
        if (!Among(kDiskTypes, e.fsType) || e.root != OwnRoot(e)) continue;
        const std::string device = std::to_string(e.major) + ":" + std::to_string(e.minor);
        Require(devices.count({device, e.root}) == 1, "a visible disk is listed unless it is a second view");
    }
}

// The drives as the Linux drive system hands them to the list: labels are mount points.
void CheckItems(const std::vector<MountedDrive>& drives) {
    platform::FakeDriveSystem system;
    for (const MountedDrive& drive : drives) {
        auto& fake = system.drives[std::size_t(drive.letter - 'a')];
        fake.type = drive.type;
        fake.label = sjis::FromUtf8(drive.mount.mountPoint);
        if (drive.type == DriveType::Remote) fake.remoteName = sjis::FromUtf8(drive.mount.source);
    }
    const std::vector<drives::DriveItem> items = drives::DriveItems(system);
    Require(items.size() == drives.size(), "every drive is listed");
    for (std::size_t k = 0; k < items.size(); ++k) {
        const MountedDrive& drive = drives[k];
        const std::string& text = items[k].text;
        std::string expected(1, drive.letter);
        if (drive.type == DriveType::Removable)
            expected += ":";
        else if (drive.type == DriveType::Remote)
            expected += ": " + fuzz::AsciiSmall(sjis::FromUtf8(drive.mount.source));
        else
            expected += ": [" + fuzz::AsciiSmall(sjis::FromUtf8(drive.mount.mountPoint)) + "]";
        Require(text == expected, "the item reads letter, colon and label part");
        Require(fuzz::WellFormed(text), "item texts are well-formed code page 932");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const unsigned removableMinors = input.Byte();
    const platform::posix::RemovableQuery removable = [removableMinors](const MountEntry& e) {
        return ((removableMinors >> (e.minor % 8)) & 1) != 0;
    };
    std::string text;
    std::vector<MountEntry> entries;
    if (input.Flag()) {
        text = input.Rest();
        entries = platform::posix::ParseMountInfo(text);
    } else {
        const std::vector<DrawnLine> drawn = DrawLines(input);
        text = Render(drawn);
        entries = platform::posix::ParseMountInfo(text);
        Require(entries.size() == drawn.size(), "every rendered line is read");
        for (std::size_t i = 0; i < drawn.size(); ++i)
            Require(SameEntry(entries[i], drawn[i].entry), "fields come back with their escapes undone");
    }
    for (const MountEntry& e : entries)
        Require(!e.mountPoint.empty() && e.mountPoint[0] == '/', "mount points are absolute");
    const std::vector<MountedDrive> drives = platform::posix::DrivesFromMountInfo(text, removable);
    CheckDrives(entries, drives, removable);
    CheckItems(drives);
    return 0;
}
