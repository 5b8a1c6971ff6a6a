#pragma once
// The drive selector as the handlers meet it. Each window's TDriveComboBox is one; it raises
// the window's DriveComboBox1Change itself, once or twice a pick.

class DriveSelector {
public:
    virtual ~DriveSelector() = default;
    // The current drive's letter, 0 for none; a small letter once a selection has set it.
    virtual char CurrentDrive() const = 0;
    // Makes `letter` the current drive and selects its item, raising no event: the drive of
    // a folder scanned without a pick.
    virtual void ShowDrive(char letter) = 0;
};
