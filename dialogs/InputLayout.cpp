#include "dialogs/InputLayout.h"

#include <algorithm>

namespace inputlayout {

using msglayout::MulDiv;

Layout LayOut(const Measures& measures, InputDialog::Lines lines, msglayout::ButtonWidthTable& table) {
    Layout layout;
    const msglayout::Size character = msglayout::CharacterSize(measures.letters);
    const msglayout::Units u = msglayout::UnitsOf(character);
    layout.units = u;
    const int buttonWidth = msglayout::ButtonWidth(u, ButtonSet({mbOK, mbCancel}), table, measures.caption);
    const int rowWidth = 2 * buttonWidth + u.buttonSpacing;
    const int boxWidth = std::max({kBoxColumns * character.width, measures.prompt.width, rowWidth});
    // One line is as tall as a button; several take their lines and the same border.
    const int border = u.buttonHeight - character.height;
    const int boxHeight = lines == InputDialog::kOneLine ? u.buttonHeight : kBoxLines * character.height + border;

    layout.prompt = {u.horizontalMargin, u.verticalMargin, measures.prompt.width, measures.prompt.height};
    const int boxTop = u.verticalMargin + measures.prompt.height + MulDiv(4, character.height, 8);
    layout.box = {u.horizontalMargin, boxTop, boxWidth, boxHeight};
    const int buttonTop = boxTop + boxHeight + u.verticalSpacing;
    layout.client = {boxWidth + 2 * u.horizontalMargin, buttonTop + u.buttonHeight + u.verticalMargin};
    const int buttonLeft = (layout.client.width - rowWidth) / 2;
    layout.ok = {buttonLeft, buttonTop, buttonWidth, u.buttonHeight};
    layout.cancel = {buttonLeft + buttonWidth + u.buttonSpacing, buttonTop, buttonWidth, u.buttonHeight};

    const msglayout::Size outer{layout.client.width + measures.frame.width,
                                layout.client.height + measures.frame.height};
    layout.left = measures.screen.left + (measures.screen.width - outer.width) / 2;
    layout.top = measures.screen.top + (measures.screen.height - outer.height) / 2;
    return layout;
}

}  // namespace inputlayout
