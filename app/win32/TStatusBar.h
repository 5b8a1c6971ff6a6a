#pragma once
// The status bar in simple mode, one text across the whole bar with the size grip, and the
// folder count field at its right while a scan runs.
#include <windows.h>

#include <string>

#include "app/StatusBarPane.h"

class TStatusBar final : public StatusBarPane {
public:
    TStatusBar(HWND parent, int id);
    ~TStatusBar() override;
    TStatusBar(const TStatusBar&) = delete;
    TStatusBar& operator=(const TStatusBar&) = delete;

    HWND Handle() const { return bar_; }
    void ShowText(std::string_view cp932) override;
    const std::wstring& Text() const { return text_; }
    // Paints the bar now, without waiting for the event loop.
    void PaintNow() override;
    // The count field: shown with its text, or taken away.
    void ShowCount(std::string_view cp932) override;
    void HideCount() override;
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
