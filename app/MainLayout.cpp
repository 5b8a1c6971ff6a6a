#include "app/MainLayout.h"

#include <algorithm>

namespace mainlayout {

Panes LayOut(int clientWidth, int clientHeight, int statusBarHeight, int panelWidth, int splitterWidth) {
    clientWidth = std::max(clientWidth, 0);
    clientHeight = std::max(clientHeight, 0);
    const int bar = std::min(statusBarHeight, clientHeight);
    const int above = clientHeight - bar;
    const int panel = std::clamp(panelWidth, 0, clientWidth);
    const int splitter = std::clamp(splitterWidth, 0, clientWidth - panel);
    Panes panes;
    panes.statusBar = {0, above, clientWidth, bar};
    panes.panel = {0, 0, panel, above};
    panes.splitter = {panel, 0, splitter, above};
    panes.memo = {panel + splitter, 0, clientWidth - panel - splitter, above};
    return panes;
}

int DraggedPanelWidth(int splitterLeft, int clientWidth, int splitterWidth, int minimum) {
    const int widest = clientWidth - splitterWidth - minimum;
    return std::max(std::min(splitterLeft, widest), minimum);
}

}  // namespace mainlayout
