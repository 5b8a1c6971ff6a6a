#pragma once
// The status bar in simple mode, one text across the whole bar with the size grip, and the
// folder count field at its right while a scan runs.
#include <windows.h>

#include <string>

class StatusBar {
public:
    StatusBar(HWND parent, int id);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    HWND Handle() const { return bar_; }
    void SetText(const std::wstring& text);
    const std::wstring& Text() const { return text_; }
    // Paints the bar now, without waiting for the event loop.
    void RepaintNow();
    // The count field: shown with its text, or taken away.
    void ShowCount(const std::wstring& count);
    void HideCount();
    bool CountShown() const { return !count_.empty(); }

    // The bar's height for the DPI the window is drawn at; it docks itself to the bottom.
    void SetDpi(UINT dpi);
    void Dock();
    int Height() const;

private:
    void ShowParts();

    HWND bar_;
    std::wstring text_;
    std::wstring count_;
};
