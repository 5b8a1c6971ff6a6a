#pragma once
// The five drive pictures, loaded once and drawn with their key colour left out.
#include <QPixmap>
#include <array>

#include "drives/DriveListText.h"

class DrivePictures {
public:
    DrivePictures();
    const QPixmap& Picture(drives::DrivePicture which) const { return pictures_.at(static_cast<std::size_t>(which)); }
    // The floppy picture's height is the least height of a row.
    int MinimumRowHeight() const { return Picture(drives::DrivePicture::Floppy).height(); }

private:
    std::array<QPixmap, 5> pictures_;
};
