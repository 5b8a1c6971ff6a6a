#pragma once
// The drive selector's state and its pick rules, the same in every window: which drive is
// current, and which picks, rebuilds and font changes raise the change event, once or twice.
// Each window's TDriveComboBox is one: it shows the rows with its toolkit and raises the
// events to its own handlers.
#include <string>

#include "drives/DriveListText.h"
#include "drives/DriveSelector.h"

class DriveSelection : public DriveSelector {
public:
    // The current drive's letter, 0 for none; a small letter once a selection has set it.
    char CurrentDrive() const override { return currentDrive_; }
    // Makes `letter` the current drive and selects its item, raising no event: the drive of
    // a folder scanned without a pick.
    void ShowDrive(char letter) override;

    // Creates the selector's list the first time the window is shown: builds the drive
    // list, selects the current drive and raises OnChange once. Later calls do nothing.
    void CreateWnd();
    virtual void RebuildDriveList();
    void SelectDrive(char letter);
    std::string VolumeLabelText(char letter);
    std::string NetworkNameText(char letter);

    // The list's rows: their texts (code page 932) and the selected one, -1 for none.
    virtual int ItemCount() const = 0;
    virtual std::string ItemText(int row) const = 0;
    virtual int SelectedRow() const = 0;

protected:
    // The current drive starts as the process's current folder's (none on a network path).
    DriveSelection();

    // Every change of the selected row the user makes, by mouse or keyboard, list open or
    // closed: the click step, then the change event, whatever the click step did.
    void Pick();
    // A new font makes the list again, as a new window does, once the list has been made.
    void RecreateIfMade();

    virtual void ClearItems() = 0;
    virtual void AddItem(const drives::DriveItem& item) = 0;
    virtual void SelectRow(int row) = 0;  // -1 selects none
    virtual void RaiseClick() = 0;
    virtual void RaiseChange() = 0;

private:
    void Recreate();
    int RowOf(char letter) const;

    char currentDrive_ = 0;
    bool created_ = false;
};
