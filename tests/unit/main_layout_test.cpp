// The main window's panes and the splitter's limits.
#include <gtest/gtest.h>

#include "app/MainLayout.h"

namespace {

using mainlayout::Rect;

TEST(MainLayout, DesignedClientAreaDocksThePanes) {
    // The designed client area of 688 x 424, a 24-pixel bar, the 185-pixel pane, a 3-pixel splitter.
    const mainlayout::Panes panes = mainlayout::LayOut(688, 424, 24, 185, 3);
    EXPECT_EQ(panes.statusBar, (Rect{0, 400, 688, 24}));
    EXPECT_EQ(panes.panel, (Rect{0, 0, 185, 400}));
    EXPECT_EQ(panes.splitter, (Rect{185, 0, 3, 400}));
    EXPECT_EQ(panes.memo, (Rect{188, 0, 500, 400}));
}

TEST(MainLayout, ASmallWindowCutsFromTheRightAndTheBottom) {
    const mainlayout::Panes panes = mainlayout::LayOut(100, 10, 24, 185, 3);
    EXPECT_EQ(panes.statusBar, (Rect{0, 0, 100, 10}));
    EXPECT_EQ(panes.panel, (Rect{0, 0, 100, 0}));
    EXPECT_EQ(panes.splitter.width, 0);
    EXPECT_EQ(panes.memo.width, 0);
    EXPECT_EQ(mainlayout::LayOut(-5, -5, 24, 185, 3).memo, (Rect{0, 0, 0, 0}));
}

TEST(MainLayout, SplitterKeepsBothSidesAtLeastTheMinimum) {
    EXPECT_EQ(mainlayout::DraggedPanelWidth(300, 688, 3, 30), 300);
    EXPECT_EQ(mainlayout::DraggedPanelWidth(10, 688, 3, 30), 30);
    EXPECT_EQ(mainlayout::DraggedPanelWidth(-40, 688, 3, 30), 30);
    EXPECT_EQ(mainlayout::DraggedPanelWidth(680, 688, 3, 30), 688 - 3 - 30);
    // Too narrow for both: the pane keeps its minimum.
    EXPECT_EQ(mainlayout::DraggedPanelWidth(40, 50, 3, 30), 30);
}

}  // namespace
