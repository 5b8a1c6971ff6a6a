// The input dialog's places and sizes, worked out by hand from the message dialog's units.
#include <gtest/gtest.h>

#include "dialogs/InputLayout.h"

namespace {

using msglayout::Rect;
using msglayout::Size;

inputlayout::Measures MeasuresOf(Size letters, int promptWidth, int okCaption, int cancelCaption) {
    inputlayout::Measures measures;
    measures.letters = letters;
    measures.screen = {0, 0, 1280, 1024};
    measures.frame = {8, 30};
    measures.prompt = {promptWidth, letters.height};
    measures.caption = [=](TMessageButton kind) { return kind == mbOK ? okCaption : cancelCaption; };
    return measures;
}

TEST(InputLayoutTest, OneLineBoxAsWideAsThePromptButtonsCentredUnderItWindowCentredOnTheScreen) {
    // Cell 7 x 16: margins 14 and 16, vertical spacing 20, buttons 88 x 28 spaced 7.
    msglayout::ButtonWidthTable table;
    const inputlayout::Layout layout =
        inputlayout::LayOut(MeasuresOf({370, 16}, 300, 20, 60), InputDialog::kOneLine, table);
    EXPECT_EQ(layout.prompt, (Rect{14, 16, 300, 16}));
    // Below the prompt by half a line; as tall as a button; 300 beats 40 cells (280).
    EXPECT_EQ(layout.box, (Rect{14, 40, 300, 28}));
    // The row is 88 + 7 + 88 = 183 wide, in a client 328 wide: (328 - 183) / 2 = 72.
    EXPECT_EQ(layout.ok, (Rect{72, 88, 88, 28}));
    EXPECT_EQ(layout.cancel, (Rect{167, 88, 88, 28}));
    EXPECT_EQ(layout.client, (Size{328, 132}));
    // Outer 336 x 162 on a 1280 x 1024 screen.
    EXPECT_EQ(layout.left, 472);
    EXPECT_EQ(layout.top, 431);
}

TEST(InputLayoutTest, SeveralLinesTakeEightLinesAndTheButtonsBorderAndFortyCellsAtLeast) {
    msglayout::ButtonWidthTable table;
    inputlayout::Measures measures = MeasuresOf({370, 16}, 200, 20, 60);
    measures.screen = {100, 0, 1280, 1024};
    const inputlayout::Layout layout = inputlayout::LayOut(measures, InputDialog::kManyLines, table);
    // 8 lines of 16 and the border a one-line box has around its line (28 - 16).
    EXPECT_EQ(layout.box, (Rect{14, 40, 280, 140}));
    EXPECT_EQ(layout.ok, (Rect{62, 200, 88, 28}));
    EXPECT_EQ(layout.client, (Size{308, 244}));
    EXPECT_EQ(layout.left, 100 + (1280 - 316) / 2);
}

TEST(InputLayoutTest, WideCaptionsWidenTheButtonsAndThenTheBox) {
    // Cell 2 x 10: margins 4 and 10, vertical spacing 13, smallest button 25 x 18 spaced 2.
    msglayout::ButtonWidthTable table;
    const inputlayout::Layout layout =
        inputlayout::LayOut(MeasuresOf({150, 10}, 50, 10, 40), InputDialog::kOneLine, table);
    // キャンセル's 40 + 8 = 48 makes both buttons 48 wide: a row of 98, wider than 40 cells (80).
    EXPECT_EQ(layout.box, (Rect{4, 25, 98, 18}));
    EXPECT_EQ(layout.ok, (Rect{4, 56, 48, 18}));
    EXPECT_EQ(layout.cancel, (Rect{54, 56, 48, 18}));
    EXPECT_EQ(layout.client, (Size{106, 84}));
}

}  // namespace
