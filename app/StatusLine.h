#pragma once
// The status line in simple mode: one text across the whole bar, and at its right the
// count field a scan shows while it runs. The one status-line helper of both windows.
#include <string>
#include <string_view>

#include "app/StatusBarPane.h"

class StatusLine {
public:
    explicit StatusLine(StatusBarPane& bar) : bar_(bar) {}

    // Replaces the shown text (code page 932); the same text again does nothing.
    void SetText(std::string_view cp932);
    // Paints the bar now, for handlers about to work without returning to the event loop.
    void RepaintNow() { bar_.PaintNow(); }
    void Clear() { SetText({}); }
    const std::string& Text() const { return text_; }

    // Shows "12,345 フォルダ" in the count field; hiding takes the field away again.
    void ShowFolderCount(int folders);
    void HideFolderCount();

private:
    StatusBarPane& bar_;
    std::string text_;
    int shownCount_ = -1;
};
