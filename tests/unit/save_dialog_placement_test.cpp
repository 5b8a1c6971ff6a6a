// Where the save dialog goes on the main window's monitor.
#include <gtest/gtest.h>

#include "save/DialogPlacement.h"

namespace {

TEST(SaveDialogPlacement, CentredAcrossWithAThirdOfTheFreeHeightAbove) {
    // 1024 x 768 at the origin, a 563 x 419 dialog: (1024 - 563) / 2 = 230, (768 - 419) / 3 = 116.
    EXPECT_EQ(save::SaveDialogPlacement(0, 0, 1024, 768, 563, 419), (save::Placement{230, 116}));
    // A second monitor left of the first: its own origin counts.
    EXPECT_EQ(save::SaveDialogPlacement(-1280, 0, 1280, 1024, 600, 400), (save::Placement{-1280 + 340, 208}));
    // A dialog larger than the monitor starts before its edge, truncated toward zero: -1 / 2 and -2 / 3 are 0.
    EXPECT_EQ(save::SaveDialogPlacement(100, 50, 800, 600, 801, 602), (save::Placement{100, 50}));
    EXPECT_EQ(save::SaveDialogPlacement(0, 0, 800, 600, 804, 606), (save::Placement{-2, -2}));
}

}  // namespace
