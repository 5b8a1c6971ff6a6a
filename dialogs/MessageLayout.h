#pragma once
// The message dialog's arithmetic: every size and place of the dialog from a few
// measurements of its font, text and screen. No Qt here, so it is tested exactly.
#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/MessageDialog.h"

namespace msglayout {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

inline constexpr int kButtonKinds = mbHelp + 1;
inline constexpr int kIconSize = 32;

// a × b ÷ c rounded to the nearest, halves away from zero; -1 when c is 0 or the
// result does not fit, as the Windows call does.
int MulDiv(int a, int b, int c);

// The average character cell: the 52 letters' width ÷ 52 (toward zero), their height.
Size CharacterSize(Size letters);

// Margins, spacings and the smallest button, in pixels, from the character cell
// (4 horizontal and 8 vertical units per cell).
struct Units {
    int horizontalMargin = 0;
    int verticalMargin = 0;
    int horizontalSpacing = 0;
    int verticalSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonSpacing = 0;
    bool operator==(const Units&) const = default;
};
Units UnitsOf(Size character);

// The widths of the button kinds' captions plus 8, each measured the first time a
// dialog needs it and kept from then on.
class ButtonWidthTable {
public:
    // The kind's stored width, measuring (caption width on one line) when it has none.
    int WidthOf(TMessageButton kind, const std::function<int(TMessageButton)>& measureCaption);
    // How many captions have been measured so far.
    int Measurements() const { return measurements_; }

private:
    std::array<int, kButtonKinds> widths_{};
    int measurements_ = 0;
};

// The one table of the process.
ButtonWidthTable& ProcessButtonWidths();

// The width within which the text is wrapped.
int WrapWidth(int screenWidth);

// The shared width of a dialog's buttons: the smallest button, raised to the widest
// stored caption of the set.
int ButtonWidth(const Units& units, TMessageButtons buttons, ButtonWidthTable& table,
                const std::function<int(TMessageButton)>& measureCaption);

std::optional<TMessageButton> DefaultButton(TMessageButtons buttons);
std::optional<TMessageButton> CancelButton(TMessageButtons buttons);

// Every kind in the set, in kind order (their order on screen and in tabbing).
std::vector<TMessageButton> ButtonsOf(TMessageButtons buttons);

// What the dialog needs measured.
struct Measures {
    Size letters;                                // the 52 letters A..Z a..z in the dialog font
    Rect screen;                                 // the screen that holds the active window
    Size frame;                                  // outer window size minus client size
    std::function<Size(int wrapWidth)> text;     // the text's extent, wrapped within wrapWidth
    std::function<int(TMessageButton)> caption;  // a caption's width on one line, "&" not counted
};

struct PlacedButton {
    TMessageButton kind;
    Rect rect;
};

struct Layout {
    Units units;
    Size client;
    std::optional<Rect> icon;
    Rect label;
    std::vector<PlacedButton> buttons;
    std::optional<TMessageButton> defaultButton;
    std::optional<TMessageButton> cancelButton;
    int left = 0;  // outer window position
    int top = 0;
};

// The whole dialog: client size, icon, label, buttons and the outer position.
Layout LayOut(const Measures& measures, bool hasIcon, TMessageButtons buttons, ButtonWidthTable& table);

}  // namespace msglayout
