#pragma once
// The texts and pictures of the drive list, decided without any widget.
#include <string>
#include <vector>

#include "platform/DriveSystem.h"

namespace drives {

enum class DrivePicture { Floppy, Hard, Network, CdRom, Ram };

struct DriveItem {
    std::string text;  // code page 932
    DrivePicture picture;
};

// "[label]" in small letters; "[]" when the label cannot be read.
std::string VolumeLabelText(platform::DriveSystem& drives, char letter);

// The remote name in small letters, or VolumeLabelText when the drive has none.
std::string NetworkNameText(platform::DriveSystem& drives, char letter);

// One item per listed drive, in letter order. Removable drives are never asked for a label.
std::vector<DriveItem> DriveItems(platform::DriveSystem& drives);

}  // namespace drives
