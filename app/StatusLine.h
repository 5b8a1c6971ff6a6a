#pragma once
#include <string>
#include <string_view>

class QLabel;
class QStatusBar;

// The status line in simple mode: one text across the whole bar.
class StatusLine {
public:
    explicit StatusLine(QStatusBar& bar);

    // Replaces the shown text (code page 932); the same text again does nothing.
    void SetText(std::string_view cp932);
    // Paints the bar now, for handlers about to work without returning to the event loop.
    void RepaintNow();
    void Clear() { SetText({}); }
    const std::string& Text() const { return text_; }

private:
    QStatusBar& bar_;
    QLabel* label_;
    std::string text_;
};
