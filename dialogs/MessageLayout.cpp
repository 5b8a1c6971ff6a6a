#include "dialogs/MessageLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace msglayout {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t magnitude = (std::abs(product) + std::abs(divisor) / 2) / std::abs(divisor);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}

Size CharacterSize(Size letters) { return {letters.width / 52, letters.height}; }

Units UnitsOf(Size character) {
    const int x = character.width;
    const int y = character.height;
    return {
        .horizontalMargin = MulDiv(8, x, 4),
        .verticalMargin = MulDiv(8, y, 8),
        .horizontalSpacing = MulDiv(10, x, 4),
        .verticalSpacing = MulDiv(10, y, 8),
        .buttonWidth = MulDiv(50, x, 4),
        .buttonHeight = MulDiv(14, y, 8),
        .buttonSpacing = MulDiv(4, x, 4),
    };
}

int ButtonWidthTable::WidthOf(TMessageButton kind, const std::function<int(TMessageButton)>& measureCaption) {
    int& width = widths_.at(kind);
    if (width == 0) {
        width = measureCaption(kind) + 8;
        ++measurements_;
    }
    return width;
}

ButtonWidthTable& ProcessButtonWidths() {
    static ButtonWidthTable table;
    return table;
}

int WrapWidth(int screenWidth) { return screenWidth / 2; }

std::vector<TMessageButton> ButtonsOf(TMessageButtons buttons) {
    std::vector<TMessageButton> kinds;
    for (int kind = 0; kind < kButtonKinds; ++kind)
        if (buttons & (1u << kind)) kinds.push_back(static_cast<TMessageButton>(kind));
    return kinds;
}

int ButtonWidth(const Units& units, TMessageButtons buttons, ButtonWidthTable& table,
                const std::function<int(TMessageButton)>& measureCaption) {
    int width = units.buttonWidth;
    for (TMessageButton kind : ButtonsOf(buttons)) width = std::max(width, table.WidthOf(kind, measureCaption));
    return width;
}

namespace {

bool Has(TMessageButtons buttons, TMessageButton kind) { return (buttons & (1u << kind)) != 0; }

std::optional<TMessageButton> FirstOf(TMessageButtons buttons, std::initializer_list<TMessageButton> choices) {
    for (TMessageButton kind : choices)
        if (Has(buttons, kind)) return kind;
    return std::nullopt;
}

int RowWidth(int count, int buttonWidth, int spacing) {
    return count == 0 ? 0 : count * buttonWidth + (count - 1) * spacing;
}

}  // namespace

std::optional<TMessageButton> DefaultButton(TMessageButtons buttons) {
    return FirstOf(buttons, {mbOK, mbYes, mbRetry});
}

std::optional<TMessageButton> CancelButton(TMessageButtons buttons) { return FirstOf(buttons, {mbCancel, mbNo, mbOK}); }

Layout LayOut(const Measures& measures, bool hasIcon, TMessageButtons buttons, ButtonWidthTable& table) {
    Layout layout;
    const Units u = UnitsOf(CharacterSize(measures.letters));
    layout.units = u;
    const int buttonWidth = ButtonWidth(u, buttons, table, measures.caption);
    const Size text = measures.text(WrapWidth(measures.screen.width));

    Size block = text;
    if (hasIcon) {
        block.width += kIconSize + u.horizontalSpacing;
        block.height = std::max(block.height, kIconSize);
    }
    const std::vector<TMessageButton> kinds = ButtonsOf(buttons);
    const int rowWidth = RowWidth(static_cast<int>(kinds.size()), buttonWidth, u.buttonSpacing);
    layout.client = {std::max(block.width, rowWidth) + 2 * u.horizontalMargin,
                     block.height + u.buttonHeight + u.verticalSpacing + 2 * u.verticalMargin};

    if (hasIcon) layout.icon = Rect{u.horizontalMargin, u.verticalMargin, kIconSize, kIconSize};
    layout.label = {block.width - text.width + u.horizontalMargin, u.verticalMargin, text.width, text.height};

    layout.defaultButton = DefaultButton(buttons);
    layout.cancelButton = CancelButton(buttons);

    int left = (layout.client.width - rowWidth) / 2;
    const int top = block.height + u.verticalMargin + u.verticalSpacing;
    for (TMessageButton kind : kinds) {
        layout.buttons.push_back({kind, {left, top, buttonWidth, u.buttonHeight}});
        left += buttonWidth + u.buttonSpacing;
    }

    const Size outer{layout.client.width + measures.frame.width, layout.client.height + measures.frame.height};
    layout.left = measures.screen.left + (measures.screen.width - outer.width) / 2;
    layout.top = measures.screen.top + (measures.screen.height - outer.height) / 2;
    return layout;
}

}  // namespace msglayout
