#include "drives/DriveSelection.h"

#include "platform/Platform.h"
#include "sjis/Cp932.h"

DriveSelection::DriveSelection() {
    const std::string folder = platform::Current().drives.CurrentDirectory();
    currentDrive_ = (folder.empty() || folder[0] == '\\') ? 0 : folder[0];
}

void DriveSelection::CreateWnd() {
    if (created_) return;
    created_ = true;
    Recreate();
}

void DriveSelection::RecreateIfMade() {
    if (created_) Recreate();
}

void DriveSelection::Recreate() {
    RebuildDriveList();
    SelectDrive(currentDrive_);
}

void DriveSelection::RebuildDriveList() {
    ClearItems();
    for (const drives::DriveItem& item : drives::DriveItems(platform::Current().drives)) AddItem(item);
    // Filling an empty list may select its first row; the fresh list has no selection.
    SelectRow(-1);
}

void DriveSelection::SelectDrive(char letter) {
    if (SelectedRow() >= 0 && sjis::AsciiUpper(letter) == sjis::AsciiUpper(currentDrive_)) return;
    if (letter == 0) {
        currentDrive_ = 0;
        SelectRow(-1);
    } else {
        currentDrive_ = sjis::AsciiLower(letter);
        // No matching item leaves the selection as it was.
        if (const int row = RowOf(currentDrive_); row >= 0) SelectRow(row);
    }
    RaiseChange();
}

void DriveSelection::ShowDrive(char letter) {
    currentDrive_ = sjis::AsciiLower(letter);
    SelectRow(RowOf(currentDrive_));
}

std::string DriveSelection::VolumeLabelText(char letter) {
    return drives::VolumeLabelText(platform::Current().drives, letter);
}

std::string DriveSelection::NetworkNameText(char letter) {
    return drives::NetworkNameText(platform::Current().drives, letter);
}

void DriveSelection::Pick() {
    RaiseClick();
    if (const int row = SelectedRow(); row >= 0) {
        const std::string text = ItemText(row);
        if (!text.empty()) SelectDrive(text[0]);
    }
    RaiseChange();
}

int DriveSelection::RowOf(char letter) const {
    for (int row = 0; row < ItemCount(); ++row) {
        const std::string text = ItemText(row);
        if (text.size() >= 2 && sjis::AsciiUpper(text[0]) == sjis::AsciiUpper(letter) && text[1] == ':') return row;
    }
    return -1;
}
