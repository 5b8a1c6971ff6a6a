// A file's label in the tree pane: halfway from the text's colour to the background's.
#include <gtest/gtest.h>

#include "tree/FileColour.h"

namespace {

TEST(FileColourTest, HalfwayChannelByChannelInEitherOrder) {
    EXPECT_EQ(FileColour(0x000000, 0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(FileColour(0xFFFFFF, 0x000000), 0x7F7F7Fu);  // light text on a dark desktop
    // Channels never spill into one another: 0x10 + 0xF0 in one, 0x02 + 0x00 in another.
    EXPECT_EQ(FileColour(0x1002FE, 0xF00000), 0x80017Fu);
    EXPECT_EQ(FileColour(0x123456, 0x123456), 0x123456u);
}

}  // namespace
