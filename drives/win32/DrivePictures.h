#pragma once
// The five drive pictures, loaded once from the program's bitmap resources and drawn with
// their key colour (the bottom-left pixel's) left out.
#include <windows.h>

#include <array>

#include "drives/DriveListText.h"
#include "resources/win32/Gdi.h"

class DrivePictures {
public:
    DrivePictures();

    SIZE SizeOf(drives::DrivePicture which) const;
    // The floppy picture's height is the least height of a row.
    int MinimumRowHeight() const { return SizeOf(drives::DrivePicture::Floppy).cy; }
    // Draws the picture at its natural size; key-coloured pixels let the background through.
    void Draw(HDC dc, drives::DrivePicture which, int left, int top) const;

private:
    struct Picture {
        BitmapHandle bitmap;
        SIZE size{};
        COLORREF key = 0;
    };
    std::array<Picture, 5> pictures_;
};
