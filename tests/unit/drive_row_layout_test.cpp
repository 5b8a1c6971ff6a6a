// Where the drive list's rows put their picture and text.
#include <gtest/gtest.h>

#include "drives/DriveRowLayout.h"

namespace {

TEST(DriveRowLayout, PictureTwoInAndCentredTextSixAfterIt) {
    // A 21-pixel row at 40: (40 + 61 - 11) / 2 = 45.
    const drives::RowPlaces places = drives::PlaceRow(10, 40, 61, 16, 11);
    EXPECT_EQ(places.pictureLeft, 12);
    EXPECT_EQ(places.pictureTop, 45);
    EXPECT_EQ(places.textLeft, 10 + 16 + 6);
    // An odd spare height halves toward zero: (0 + 18 - 11) / 2 = 3.
    EXPECT_EQ(drives::PlaceRow(0, 0, 18, 16, 11).pictureTop, 3);
    // Without a picture the text still leaves room for one.
    EXPECT_EQ(drives::PlaceRow(0, 0, 18, 0, 0).textLeft, 22);
    EXPECT_EQ(drives::PlaceRow(0, 0, 18, 24, 11).textLeft, 30);
}

TEST(DriveRowLayout, RowsAreNeverLowerThanTheFloppyPicture) {
    EXPECT_EQ(drives::RowHeight(9, 11), 11);
    EXPECT_EQ(drives::RowHeight(19, 11), 19);
}

}  // namespace
