#pragma once
// A plain pane that holds other controls, with an optional raised one-pixel outer bevel.
#include <windows.h>

#include <functional>

class Panel {
public:
    Panel(HWND parent, bool raised);
    ~Panel();
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    HWND Handle() const { return panel_; }
    void SetBounds(int left, int top, int width, int height);
    int Width() const;
    int Height() const;
    // The bevel's width inside the pane's edge.
    int Border() const { return raised_ ? 1 : 0; }

    // Raised whenever the pane changes size.
    std::function<void()> OnResize;

private:
    static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND panel_ = nullptr;
    bool raised_;
};
