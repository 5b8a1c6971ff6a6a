#pragma once
// The splitter between the left pane and the editor: a horizontal-resize cursor; while it
// is dragged a hatched line follows the mouse, and the pane takes its new width only when
// the drag ends.
#include <windows.h>

#include <functional>

#include "resources/win32/Gdi.h"

class Splitter {
public:
    explicit Splitter(HWND parent);
    ~Splitter();
    Splitter(const Splitter&) = delete;
    Splitter& operator=(const Splitter&) = delete;

    HWND Handle() const { return splitter_; }
    void SetBounds(int left, int top, int width, int height);

    // Where a drag may put the splitter's left edge, given where the mouse would put it.
    std::function<int(int left)> Limit;
    // The drag ended with the splitter's left edge at `left`.
    std::function<void(int left)> OnMoved;

private:
    static LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StartDrag(int x);
    void Follow(int x);
    void EndDrag(bool apply);
    // The hatched line, drawn and taken away again by inverting.
    void InvertLine(int left) const;
    int LeftFor(int x) const;

    HWND parent_;
    HWND splitter_ = nullptr;
    BrushHandle hatch_;
    bool dragging_ = false;
    int grab_ = 0;      // where in the splitter the mouse took it
    int lineLeft_ = 0;  // where the line is drawn
};
