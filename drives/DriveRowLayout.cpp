#include "drives/DriveRowLayout.h"

#include <algorithm>

namespace drives {

namespace {
constexpr int kPictureLeft = 2;
constexpr int kTextGap = 6;
constexpr int kNoPictureWidth = 16;
}  // namespace

RowPlaces PlaceRow(int left, int top, int bottom, int pictureWidth, int pictureHeight) {
    const bool hasPicture = pictureWidth > 0 && pictureHeight > 0;
    RowPlaces places;
    places.pictureLeft = left + kPictureLeft;
    places.pictureTop = (top + bottom - pictureHeight) / 2;
    places.textLeft = left + (hasPicture ? pictureWidth : kNoPictureWidth) + kTextGap;
    return places;
}

int RowHeight(int fontCellHeight, int floppyHeight) { return std::max(fontCellHeight, floppyHeight); }

}  // namespace drives
