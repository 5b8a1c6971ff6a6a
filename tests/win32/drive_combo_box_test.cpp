// The Windows drive selector over scripted drives: its list, its events and its rows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "doubles/FakeMachine.h"
#include "drives/DriveListText.h"
#include "drives/DriveRowLayout.h"
#include "drives/win32/FileCtrl.h"
#include "support/TestWindow.h"

namespace {

using platform::DriveType;

class DriveComboBox : public ::testing::Test, protected FakeMachine {
protected:
    DriveComboBox() {
        drives.Add('a', DriveType::Removable, "INSIDE");
        drives.Add('c', DriveType::Fixed, "WinSys");
        drives.Add('d', DriveType::Fixed, "Data&Co");
        drives.Add('e', DriveType::CdRom, std::nullopt);
        drives.currentDirectory = "C:\\work";
    }

    // Built on first use, so a test can change the drives first.
    TDriveComboBox& Combo() {
        if (!combo) {
            combo = std::make_unique<TDriveComboBox>(window.Handle(), 7);
            combo->SetWidth(185);
            combo->OnChange = [this](TDriveComboBox& sender) {
                EXPECT_EQ(&sender, combo.get());
                events.push_back(sender.CurrentDrive());
            };
            combo->CreateWnd();
        }
        return *combo;
    }

    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (int row = 0; row < Combo().ItemCount(); ++row) texts.push_back(Combo().ItemText(row));
        return texts;
    }

    void Key(UINT key) { SendMessageW(Combo().Handle(), WM_KEYDOWN, key, 1); }

    TestWindow window;
    std::unique_ptr<TDriveComboBox> combo;
    std::string events;
};

TEST_F(DriveComboBox, ListsDrivesWithTheirPicturesAndTouchesNoRemovableDrive) {
    EXPECT_EQ(Texts(), (std::vector<std::string>{"a:", "c: [winsys]", "d: [data&co]", "e: []"}));
    EXPECT_EQ(SendMessageW(Combo().Handle(), CB_GETITEMDATA, 0, 0), LRESULT(drives::DrivePicture::Floppy));
    EXPECT_EQ(SendMessageW(Combo().Handle(), CB_GETITEMDATA, 1, 0), LRESULT(drives::DrivePicture::Hard));
    EXPECT_EQ(SendMessageW(Combo().Handle(), CB_GETITEMDATA, 3, 0), LRESULT(drives::DrivePicture::CdRom));
    EXPECT_EQ(drives.drives[0].labelQueries, 0);
    const LONG style = GetWindowLongW(Combo().Handle(), GWL_STYLE);
    EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << "a list whose field cannot be typed into";
    EXPECT_TRUE(style & CBS_OWNERDRAWFIXED);
    EXPECT_FALSE(style & CBS_SORT);
}

TEST_F(DriveComboBox, StartsOnTheCurrentDirectorysDriveWithOneEvent) {
    Combo();
    EXPECT_EQ(events, "c");
    EXPECT_EQ(Combo().CurrentDrive(), 'c');
    EXPECT_EQ(Combo().ItemText(-1), "c: [winsys]");
    Combo().CreateWnd();
    EXPECT_EQ(events, "c") << "the list is made once";
}

TEST_F(DriveComboBox, PickOfAnotherDriveRaisesTwoEventsTheSameDriveOne) {
    Combo();
    events.clear();
    Key(VK_DOWN);  // on the closed list: the next drive
    EXPECT_EQ(events, "dd");
    EXPECT_EQ(Combo().CurrentDrive(), 'd');
    events.clear();
    // The platform's word that the user picked the row already selected.
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(7, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Combo().Handle()));
    EXPECT_EQ(events, "d");
    events.clear();
    Key(VK_HOME);
    EXPECT_EQ(events, "aa");
}

TEST_F(DriveComboBox, FromANetworkFolderNothingIsSelectedAndTheFirstPickRaisesTwo) {
    drives.currentDirectory = "\\\\server\\share";
    Combo();
    EXPECT_EQ(events, std::string(1, '\0'));
    EXPECT_EQ(Combo().SelectedRow(), -1);
    events.clear();
    Key(VK_DOWN);
    EXPECT_EQ(events, "aa");
}

TEST_F(DriveComboBox, OpenListShowsAtMostEightRows) {
    for (char letter = 'f'; letter <= 'm'; ++letter) drives.Add(letter, DriveType::Fixed, "x");
    const int row = Combo().ItemHeight();
    const auto openListHeight = [this] {
        SendMessageW(Combo().Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        GetComboBoxInfo(Combo().Handle(), &parts);
        RECT list{};
        GetWindowRect(parts.hwndList, &list);
        SendMessageW(Combo().Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        return int(list.bottom - list.top);
    };
    EXPECT_GE(openListHeight(), 8 * row);
    EXPECT_LT(openListHeight(), 9 * row);
    drives = {};
    drives.Add('c', DriveType::Fixed, "only");
    Combo().SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));  // the list made again
    EXPECT_EQ(Combo().ItemCount(), 1);
    EXPECT_GE(openListHeight(), row);
    EXPECT_LT(openListHeight(), 2 * row);
    EXPECT_EQ(events, "cc") << "the list made again selects the current drive again, with its event";
    Combo().ScaleFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(events, "cc") << "a new DPI is no pick";
}

// A row drawn into a bitmap of its own, as the list asks for it.
class DrawnRow {
public:
    DrawnRow(HWND parent, HWND combo, int row, UINT state, RECT rect) : rect_(rect) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), rect.right, -rect.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = 7;
        item.itemID = UINT(row);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = combo;
        item.hDC = dc_;
        item.rcItem = rect;
        item.itemData = ULONG_PTR(SendMessageW(combo, CB_GETITEMDATA, WPARAM(row), 0));
        SendMessageW(parent, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&item));
    }
    ~DrawnRow() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Whether any pixel of columns [from, to) differs from `colour`.
    bool AnyOtherThan(COLORREF colour, int from, int to, int top, int bottom) const {
        for (int x = from; x < to; ++x)
            for (int y = top; y < bottom; ++y)
                if (At(x, y) != colour) return true;
        return false;
    }

private:
    RECT rect_;
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

TEST_F(DriveComboBox, RowDrawsPictureWithoutItsKeyColourThenTheText) {
    const RECT rect{0, 0, 180, 21};
    const drives::RowPlaces places = drives::PlaceRow(0, 0, 21, 16, 11);
    for (const UINT state : {UINT(0), UINT(ODS_SELECTED)}) {
        const COLORREF background = GetSysColor(state ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        const DrawnRow row(window.Handle(), Combo().Handle(), 1, state, rect);
        // The picture's first and last rows are its key colour: the background shows there.
        EXPECT_EQ(row.At(places.pictureLeft, places.pictureTop), background);
        EXPECT_EQ(row.At(places.pictureLeft + 5, places.pictureTop + 10), background);
        // Its black outline is drawn one row in.
        EXPECT_EQ(row.At(places.pictureLeft + 5, places.pictureTop + 1), RGB(0, 0, 0));
        EXPECT_EQ(row.At(places.pictureLeft - 1, places.pictureTop + 1), background);
        // Nothing between the picture and the text; the text after it.
        EXPECT_FALSE(row.AnyOtherThan(background, places.pictureLeft + 16, places.textLeft, 0, 21));
        EXPECT_TRUE(row.AnyOtherThan(background, places.textLeft, 180, 0, 21));
        EXPECT_EQ(row.At(0, 0), background) << "no focus rectangle without the focus";
    }
    const DrawnRow focused(window.Handle(), Combo().Handle(), 1, ODS_SELECTED | ODS_FOCUS, rect);
    EXPECT_TRUE(focused.AnyOtherThan(GetSysColor(COLOR_HIGHLIGHT), 0, 180, 0, 1)) << "the dotted focus rectangle";
    const DrawnRow empty(window.Handle(), Combo().Handle(), -1, 0, rect);
    EXPECT_FALSE(empty.AnyOtherThan(GetSysColor(COLOR_WINDOW), 0, 180, 0, 21));
}

}  // namespace
