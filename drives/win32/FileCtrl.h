#pragma once
// The drive selector: an owner-drawn drop-down list of the machine's drives, each row a
// drive picture and the drive's text.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "drives/DriveSelector.h"
#include "resources/win32/Gdi.h"

class DrivePictures;

class TDriveComboBox : public DriveSelector {
public:
    // The list lives in `parent`, whose messages about it the selector takes itself.
    TDriveComboBox(HWND parent, int id);
    ~TDriveComboBox() override;
    TDriveComboBox(const TDriveComboBox&) = delete;
    TDriveComboBox& operator=(const TDriveComboBox&) = delete;

    HWND Handle() const { return combo_; }

    // The current drive's letter, 0 for none; a small letter once a selection has set it.
    char CurrentDrive() const override { return currentDrive_; }

    // Creates the selector's list the first time the window is shown: builds the drive
    // list, selects the current drive and raises OnChange once. Later calls do nothing.
    void CreateWnd();
    virtual void RebuildDriveList();
    void SelectDrive(char letter);
    // Makes `letter` the current drive and selects its item, raising no event: the drive of
    // a folder scanned without a pick.
    void ShowDrive(char letter) override;
    std::string VolumeLabelText(char letter);
    std::string NetworkNameText(char letter);
    void FitItemHeight();
    int ItemHeight() const { return itemHeight_; }

    // The window's font: the rows fit it, and the list is made again as a new window would be.
    void SetFont(HFONT font);
    // The same font at another DPI (the window moved to another monitor): the rows fit it, and
    // the list stays as it is, with no change event, since moving the window is no pick.
    void ScaleFont(HFONT font);
    // Width of the control; its height stays what the field and eight open rows need.
    void SetWidth(int width);

    // The text of a row (code page 932), -1 for the selected one; empty when there is none.
    std::string ItemText(int row) const;
    int ItemCount() const;
    int SelectedRow() const;

    // Raised with the selector as sender. OnClick is the generic click, before the drive is taken.
    std::function<void(TDriveComboBox& sender)> OnClick;
    std::function<void(TDriveComboBox& sender)> OnChange;

private:
    static LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void Recreate();
    void Pick();
    void ClickStep();
    void RaiseChange();
    int RowOf(char letter) const;
    void FitDropHeight();

    HWND parent_;
    int id_;
    std::unique_ptr<DrivePictures> pictures_;
    HWND combo_ = nullptr;
    HFONT font_ = nullptr;  // the window's, not owned
    char currentDrive_ = 0;
    bool created_ = false;
    int itemHeight_ = 0;
    int width_ = 0;
};
