#pragma once
// Where a row of the drive list draws its picture and its text, whatever draws it.
namespace drives {

struct RowPlaces {
    int pictureLeft = 0;
    int pictureTop = 0;
    int textLeft = 0;
};

// For a row from `top` to `bottom` (exclusive) starting at `left`, with a picture of
// `pictureWidth` x `pictureHeight` (0 x 0 for none): the picture 2 pixels in and centred
// (halved toward zero), the text 6 pixels after it, or after 16 pixels of nothing.
RowPlaces PlaceRow(int left, int top, int bottom, int pictureWidth, int pictureHeight);

// A row is as high as the font's cells, never lower than the floppy picture.
int RowHeight(int fontCellHeight, int floppyHeight);

}  // namespace drives
