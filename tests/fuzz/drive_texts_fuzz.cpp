// The drive list texts over drives whose types, labels and remote names come from the
// input: one item per listed type in letter order, "x:" for a removable drive (never asked
// for its label), "x: [label]" or "x: remote" in small letters, well formed when the
// label is.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "doubles/FakeDriveSystem.h"
#include "drives/DriveListText.h"
#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"

namespace {

using fuzz::Require;
using platform::DriveType;

std::optional<std::string> MaybeText(fuzz::FuzzInput& input) {
    if (!input.Flag()) return std::nullopt;
    return input.Text(32);
}

std::string LabelPart(const platform::FakeDriveSystem::Drive& drive) {
    return "[" + fuzz::AsciiSmall(drive.label.value_or("")) + "]";
}

std::optional<drives::DriveItem> Expected(const platform::FakeDriveSystem::Drive& drive, char letter) {
    const std::string head = std::string(1, letter) + ": ";
    switch (drive.type) {
        case DriveType::Removable: return drives::DriveItem{std::string(1, letter) + ":", drives::DrivePicture::Floppy};
        case DriveType::Fixed: return drives::DriveItem{head + LabelPart(drive), drives::DrivePicture::Hard};
        case DriveType::CdRom: return drives::DriveItem{head + LabelPart(drive), drives::DrivePicture::CdRom};
        case DriveType::RamDisk: return drives::DriveItem{head + LabelPart(drive), drives::DrivePicture::Ram};
        case DriveType::Remote: {
            const std::string part = drive.remoteName ? fuzz::AsciiSmall(*drive.remoteName) : LabelPart(drive);
            return drives::DriveItem{head + part, drives::DrivePicture::Network};
        }
        default: return std::nullopt;
    }
}

// Well-formed names give well-formed texts, and the closing bracket after a label is a
// character of its own.
void CheckWellFormed(const std::string& text, const platform::FakeDriveSystem::Drive& drive) {
    const bool remote = drive.type == DriveType::Remote && drive.remoteName;
    if (!fuzz::WellFormed(remote ? *drive.remoteName : drive.label.value_or(""))) return;
    Require(fuzz::WellFormed(text), "a well-formed label gives a well-formed text");
    if (drive.type != DriveType::Removable && !remote)
        Require(fuzz::UnitStarts(text).back() == text.size() - 1, "the closing bracket stands alone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    platform::FakeDriveSystem system;
    for (auto& drive : system.drives) {
        drive.type = DriveType(input.Below(8));  // 7 is no type the system knows
        drive.label = MaybeText(input);
        drive.remoteName = MaybeText(input);
    }
    const auto before = system.drives;

    const std::vector<drives::DriveItem> items = drives::DriveItems(system);
    std::size_t next = 0;
    for (int i = 0; i < 26; ++i) {
        const auto& drive = before[std::size_t(i)];
        const auto expected = Expected(drive, char('a' + i));
        if (!expected) continue;
        Require(next < items.size(), "every drive of a listed type has an item");
        Require(items[next].text == expected->text, "item text: small letter, colon, label part");
        Require(items[next].picture == expected->picture, "the picture follows the type");
        CheckWellFormed(items[next].text, drive);
        if (drive.type == DriveType::Removable)
            Require(system.drives[std::size_t(i)].labelQueries == 0, "a removable drive is never touched");
        ++next;
    }
    Require(next == items.size(), "no item for an unlisted type");

    // The label parts on their own, for any letter byte at all.
    while (!input.Empty()) {
        const char letter = char(input.Byte());
        const std::string label = drives::VolumeLabelText(system, letter);
        const std::string network = drives::NetworkNameText(system, letter);
        Require(label.size() >= 2 && label.front() == '[' && label.back() == ']', "a label part is bracketed");
        if (letter >= 'a' && letter <= 'z') {
            const auto& drive = before[std::size_t(letter - 'a')];
            Require(label == LabelPart(drive), "the label in small letters, brackets around it");
            Require(network == (drive.remoteName ? fuzz::AsciiSmall(*drive.remoteName) : LabelPart(drive)),
                    "the remote name in small letters, else the label part");
        }
    }
    return 0;
}
