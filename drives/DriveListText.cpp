#include "drives/DriveListText.h"

#include <optional>

#include "sjis/Cp932.h"

namespace drives {

namespace {

constexpr int kLetters = 26;

std::string LetterAndPart(char letter, const std::string& part) {
    std::string text(1, letter);
    text += ": ";
    text += part;
    return text;
}

std::optional<DriveItem> ItemFor(platform::DriveSystem& drives, char letter) {
    using platform::DriveType;
    switch (drives.TypeOf(letter)) {
        case DriveType::Removable: return DriveItem{std::string(1, letter) + ":", DrivePicture::Floppy};
        case DriveType::Fixed:
            return DriveItem{LetterAndPart(letter, VolumeLabelText(drives, letter)), DrivePicture::Hard};
        case DriveType::Remote:
            return DriveItem{LetterAndPart(letter, NetworkNameText(drives, letter)), DrivePicture::Network};
        case DriveType::CdRom:
            return DriveItem{LetterAndPart(letter, VolumeLabelText(drives, letter)), DrivePicture::CdRom};
        case DriveType::RamDisk:
            return DriveItem{LetterAndPart(letter, VolumeLabelText(drives, letter)), DrivePicture::Ram};
        default: return std::nullopt;
    }
}

}  // namespace

std::string VolumeLabelText(platform::DriveSystem& drives, char letter) {
    const std::optional<std::string> label = drives.VolumeLabel(letter);
    std::string text = "[";
    text += sjis::AsciiLower(label.value_or(std::string()));
    text += ']';
    return text;
}

std::string NetworkNameText(platform::DriveSystem& drives, char letter) {
    const std::optional<std::string> remote = drives.RemoteName(letter);
    if (!remote) return VolumeLabelText(drives, letter);
    return sjis::AsciiLower(*remote);
}

std::vector<DriveItem> DriveItems(platform::DriveSystem& drives) {
    std::vector<DriveItem> items;
    const std::uint32_t mask = drives.LogicalDrives();
    for (int bit = 0; bit < kLetters; ++bit) {
        if (!(mask & (1u << bit))) continue;
        if (auto item = ItemFor(drives, char('a' + bit))) items.push_back(std::move(*item));
    }
    return items;
}

}  // namespace drives
