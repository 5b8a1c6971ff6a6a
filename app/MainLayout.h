#pragma once
// The main window's panes in its client area, as the window's description docks them: the
// status bar along the bottom, the left pane, the splitter right of it, the editor in the
// rest. Sizes in the screen's pixels.
namespace mainlayout {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Panes {
    Rect statusBar;
    Rect panel;
    Rect splitter;
    Rect memo;
};

// A pane never gets a negative size: what does not fit is cut from the right and the bottom.
Panes LayOut(int clientWidth, int clientHeight, int statusBarHeight, int panelWidth, int splitterWidth);

// The left pane's width once the splitter is let go with its left edge at `splitterLeft`:
// neither the pane nor the editor narrower than `minimum`, the pane winning when both cannot be.
int DraggedPanelWidth(int splitterLeft, int clientWidth, int splitterWidth, int minimum);

}  // namespace mainlayout
