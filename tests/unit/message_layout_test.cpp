#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "dialogs/MessageKinds.h"
#include "dialogs/MessageLayout.h"

using namespace msglayout;

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndRefusesWhatItCannotGive) {
    EXPECT_EQ(MulDiv(50, 7, 4), 88);    // 87.5
    EXPECT_EQ(MulDiv(10, 6, 4), 15);    // 15
    EXPECT_EQ(MulDiv(14, 13, 8), 23);   // 22.75
    EXPECT_EQ(MulDiv(10, 13, 8), 16);   // 16.25
    EXPECT_EQ(MulDiv(-10, 7, 4), -18);  // -17.5
    EXPECT_EQ(MulDiv(10, 7, -4), -18);
    EXPECT_EQ(MulDiv(-10, -7, -4), -18);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 4, 2), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // the product alone would overflow an int
}

TEST(UnitsTest, FollowTheCharacterCellWithRounding) {
    // 370 / 52 = 7 (toward zero).
    EXPECT_EQ(CharacterSize({370, 16}), (Size{7, 16}));
    EXPECT_EQ(UnitsOf({7, 16}), (Units{.horizontalMargin = 14,
                                       .verticalMargin = 16,
                                       .horizontalSpacing = 18,
                                       .verticalSpacing = 20,
                                       .buttonWidth = 88,
                                       .buttonHeight = 28,
                                       .buttonSpacing = 7}));
    EXPECT_EQ(UnitsOf({6, 13}), (Units{.horizontalMargin = 12,
                                       .verticalMargin = 13,
                                       .horizontalSpacing = 15,
                                       .verticalSpacing = 16,
                                       .buttonWidth = 75,
                                       .buttonHeight = 23,
                                       .buttonSpacing = 6}));
}

TEST(ButtonWidthTableTest, MeasuresEachKindOnceAndKeepsTheFirstMeasure) {
    ButtonWidthTable table;
    std::map<TMessageButton, int> asked;
    int captionWidth = 40;
    auto measure = [&](TMessageButton kind) {
        ++asked[kind];
        return captionWidth;
    };
    EXPECT_EQ(table.WidthOf(mbYes, measure), 48);
    captionWidth = 90;  // a later dialog in another font
    EXPECT_EQ(table.WidthOf(mbYes, measure), 48);
    EXPECT_EQ(table.WidthOf(mbNo, measure), 98);
    EXPECT_EQ(asked[mbYes], 1);
    EXPECT_EQ(asked[mbNo], 1);
    EXPECT_EQ(table.Measurements(), 2);
}

TEST(ButtonWidthTest, SmallestButtonRaisedToTheWidestCaptionOfTheSet) {
    const Units units = UnitsOf({7, 16});  // smallest button 88
    ButtonWidthTable table;
    auto measure = [](TMessageButton kind) { return kind == mbNoToAll ? 100 : 30; };
    EXPECT_EQ(ButtonWidth(units, ButtonSet({mbYes, mbNo}), table, measure), 88);
    EXPECT_EQ(ButtonWidth(units, ButtonSet({mbYes, mbNoToAll}), table, measure), 108);
    EXPECT_EQ(ButtonWidth(units, 0, table, measure), 88);
}

TEST(ChoiceTest, DefaultAndCancelButtons) {
    EXPECT_EQ(DefaultButton(ButtonSet({mbYes, mbNo})), mbYes);
    EXPECT_EQ(DefaultButton(ButtonSet({mbYes, mbOK})), mbOK);
    EXPECT_EQ(DefaultButton(ButtonSet({mbRetry, mbCancel})), mbRetry);
    EXPECT_EQ(DefaultButton(ButtonSet({mbAbort, mbIgnore})), std::nullopt);
    EXPECT_EQ(CancelButton(ButtonSet({mbYes, mbNo})), mbNo);
    EXPECT_EQ(CancelButton(ButtonSet({mbOK})), mbOK);
    EXPECT_EQ(CancelButton(ButtonSet({mbNo, mbOK, mbCancel})), mbCancel);
    EXPECT_EQ(CancelButton(ButtonSet({mbAbort, mbRetry})), std::nullopt);
    EXPECT_EQ(ButtonsOf(ButtonSet({mbHelp, mbOK, mbYes})), (std::vector<TMessageButton>{mbYes, mbOK, mbHelp}));
}

TEST(KindsTest, ResultsAndCaptionsOfTheProgramsButtons) {
    EXPECT_EQ(ButtonKindOf(mbYes).modalResult, 6);
    EXPECT_EQ(ButtonKindOf(mbNo).modalResult, 7);
    EXPECT_EQ(ButtonKindOf(mbOK).modalResult, 1);
    EXPECT_EQ(ButtonKindOf(mbYesToAll).modalResult, 10);
    EXPECT_EQ(ButtonKindOf(mbHelp).modalResult, 0);
    EXPECT_EQ(ButtonKindOf(mbNoToAll).name, "NoToAll");
    EXPECT_FALSE(KindHasIcon(mkCustom));
    EXPECT_TRUE(KindHasIcon(mkConfirmation));
}

namespace {

Measures MeasuresOf(Size text, Size screen, int captionWidth = 50) {
    Measures m;
    m.letters = {370, 16};  // cell 7 x 16
    m.screen = {0, 0, screen.width, screen.height};
    m.frame = {6, 25};
    m.text = [text](int) { return text; };
    m.caption = [captionWidth](TMessageButton) { return captionWidth; };
    return m;
}

}  // namespace

TEST(LayOutTest, QuestionWithIconAndTwoButtons) {
    // Cell 7 x 16: margins 14/16, spacings 18/20, buttons 88 x 28, 7 apart.
    ButtonWidthTable table;
    const Layout l = LayOut(MeasuresOf({300, 16}, {1024, 768}), true, ButtonSet({mbYes, mbNo}), table);
    // Block 300 + 32 + 18 = 350 wide, max(16, 32) = 32 high; row 2 * 88 + 7 = 183.
    EXPECT_EQ(l.client, (Size{350 + 28, 32 + 28 + 20 + 32}));
    EXPECT_EQ(l.icon, (Rect{14, 16, 32, 32}));
    EXPECT_EQ(l.label, (Rect{350 - 300 + 14, 16, 300, 16}));
    ASSERT_EQ(l.buttons.size(), 2u);
    // (378 - 183) / 2 = 97.5 -> 97; top 32 + 16 + 20.
    EXPECT_EQ(l.buttons[0].kind, mbYes);
    EXPECT_EQ(l.buttons[0].rect, (Rect{97, 68, 88, 28}));
    EXPECT_EQ(l.buttons[1].kind, mbNo);
    EXPECT_EQ(l.buttons[1].rect, (Rect{97 + 88 + 7, 68, 88, 28}));
    EXPECT_EQ(l.defaultButton, mbYes);
    EXPECT_EQ(l.cancelButton, mbNo);
    // Outer 384 x 137 on 1024 x 768: (640 / 2, 631 / 2 -> 315).
    EXPECT_EQ(l.left, 320);
    EXPECT_EQ(l.top, 315);
}

TEST(LayOutTest, ShortTextWithoutIconTakesTheRowWidthAndCentresTheRow) {
    ButtonWidthTable table;
    const Layout l = LayOut(MeasuresOf({20, 16}, {1024, 768}), false, ButtonSet({mbYes, mbNo, mbCancel}), table);
    // Row 3 * 88 + 2 * 7 = 278, block 20.
    EXPECT_EQ(l.client.width, 278 + 28);
    EXPECT_EQ(l.client.height, 16 + 28 + 20 + 32);
    EXPECT_FALSE(l.icon.has_value());
    EXPECT_EQ(l.label, (Rect{14, 16, 20, 16}));
    EXPECT_EQ(l.buttons[0].rect.left, 14);
    EXPECT_EQ(l.buttons[2].rect.left, 14 + 2 * 95);
    EXPECT_EQ(l.buttons[0].rect.top, 16 + 16 + 20);
}

TEST(LayOutTest, TallTextSetsTheBlockAndWrapsAtHalfTheScreen) {
    ButtonWidthTable table;
    Measures m = MeasuresOf({0, 0}, {1023, 700}, 120);
    m.screen.left = 1920;  // a second monitor
    m.screen.top = 100;
    int askedWidth = -1;
    m.text = [&](int wrapWidth) {
        askedWidth = wrapWidth;
        return Size{500, 48};
    };
    const Layout l = LayOut(m, true, ButtonSet({mbOK}), table);
    EXPECT_EQ(askedWidth, 511);
    // Caption 120 + 8 = 128 wide buttons; block 500 + 50 = 550 by 48.
    EXPECT_EQ(l.client, (Size{550 + 28, 48 + 28 + 20 + 32}));
    EXPECT_EQ(l.label, (Rect{64, 16, 500, 48}));
    EXPECT_EQ(l.buttons[0].rect, (Rect{(578 - 128) / 2, 48 + 36, 128, 28}));
    EXPECT_EQ(l.defaultButton, mbOK);
    EXPECT_EQ(l.cancelButton, mbOK);
    // Outer 584 x 153: 1920 + 439 / 2 -> 219, 100 + 547 / 2 -> 273.
    EXPECT_EQ(l.left, 1920 + 219);
    EXPECT_EQ(l.top, 100 + 273);
}

TEST(LayOutTest, NoButtonsAndADialogWiderThanTheScreen) {
    ButtonWidthTable table;
    const Layout l = LayOut(MeasuresOf({1000, 16}, {801, 600}), false, 0, table);
    EXPECT_TRUE(l.buttons.empty());
    EXPECT_EQ(l.client.width, 1028);
    EXPECT_FALSE(l.defaultButton.has_value());
    EXPECT_FALSE(l.cancelButton.has_value());
    // 801 - 1034 = -233, halved toward zero.
    EXPECT_EQ(l.left, -116);
    EXPECT_EQ(table.Measurements(), 0);
}
