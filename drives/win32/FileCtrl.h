#pragma once
// The drive selector: an owner-drawn drop-down list of the machine's drives, each row a
// drive picture and the drive's text.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "drives/DriveSelection.h"
#include "resources/win32/Gdi.h"

class DrivePictures;

class TDriveComboBox : public DriveSelection {
public:
    // The list lives in `parent`, whose messages about it the selector takes itself.
    TDriveComboBox(HWND parent, int id);
    ~TDriveComboBox() override;
    TDriveComboBox(const TDriveComboBox&) = delete;
    TDriveComboBox& operator=(const TDriveComboBox&) = delete;

    HWND Handle() const { return combo_; }

    void RebuildDriveList() override;
    void FitItemHeight();
    int ItemHeight() const { return itemHeight_; }

    // The window's font: the rows fit it, and the list is made again as a new window would be.
    void SetFont(HFONT font);
    // The same font at another DPI (the window moved to another monitor): the rows fit it, and
    // the list stays as it is, with no change event, since moving the window is no pick.
    void ScaleFont(HFONT font);
    // Width of the control; its height stays what the field and eight open rows need.
    void SetWidth(int width);

    // -1 reads the selected row; empty when there is none.
    std::string ItemText(int row) const override;
    int ItemCount() const override;
    int SelectedRow() const override;

    // Raised with the selector as sender. OnClick is the generic click, before the drive is taken.
    std::function<void(TDriveComboBox& sender)> OnClick;
    std::function<void(TDriveComboBox& sender)> OnChange;

protected:
    void ClearItems() override;
    void AddItem(const drives::DriveItem& item) override;
    void SelectRow(int row) override;
    void RaiseClick() override;
    void RaiseChange() override;

private:
    static LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void FitDropHeight();

    HWND parent_;
    int id_;
    std::unique_ptr<DrivePictures> pictures_;
    HWND combo_ = nullptr;
    HFONT font_ = nullptr;  // the window's, not owned
    int itemHeight_ = 0;
    int width_ = 0;
};
