#pragma once
#include <string>
#include <string_view>

class QLabel;
class QStatusBar;

// The status line in simple mode: one text across the whole bar, and at its right the
// count field a scan shows while it runs.
class StatusLine {
public:
    explicit StatusLine(QStatusBar& bar);

    // Replaces the shown text (code page 932); the same text again does nothing.
    void SetText(std::string_view cp932);
    // Paints the bar now, for handlers about to work without returning to the event loop.
    void RepaintNow();
    void Clear() { SetText({}); }
    const std::string& Text() const { return text_; }

    // Shows "12,345 フォルダ" in the count field; hiding takes the field away again.
    void ShowFolderCount(int folders);
    void HideFolderCount();

private:
    QStatusBar& bar_;
    QLabel* label_;
    QLabel* count_;
    std::string text_;
    int shownCount_ = -1;
};
