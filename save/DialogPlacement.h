#pragma once
// Where the save dialog goes on the monitor that shows the main window: centred across it,
// with one third of the free height above it and two thirds below.
namespace save {

struct Placement {
    int left = 0;
    int top = 0;
    bool operator==(const Placement&) const = default;
};

// The monitor's rectangle and the dialog's outer size; divisions truncate toward zero.
Placement SaveDialogPlacement(int monitorLeft, int monitorTop, int monitorWidth, int monitorHeight, int dialogWidth,
                              int dialogHeight);

}  // namespace save
