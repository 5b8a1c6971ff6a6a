#pragma once
// The editor as the handlers meet it: its lines (code page 932 bytes, CR LF between lines,
// at most linerules::kMaxLength bytes in all), the keyboard focus and the clipboard
// commands. Each window's TMemo is one.
#include <string>
#include <string_view>

class EditorPane {
public:
    virtual ~EditorPane() = default;

    // The text becomes empty; the caret goes to the start.
    virtual void ClearLines() = 0;
    // Adds the line after the last line and returns its index; keeps only what fits. A line
    // holding line breaks goes in as that many lines (memo creation appends all at once).
    virtual int AppendLine(std::string_view line) = 0;
    // Lines, a last empty one not counted.
    virtual int LineCount() const = 0;
    // Line `index` without its break, at most linerules::kMaxLineBytes bytes; empty outside.
    virtual std::string LineAt(int index) const = 0;
    // The whole text as held.
    virtual std::string FullText() const = 0;
    // True when the last AppendLine kept less than it was given, for want of room.
    virtual bool AppendCut() const = 0;

    // Makes the editor the window's focused control.
    virtual void SetFocus() = 0;
    // The selection to the clipboard as plain text, then taken out; nothing when empty.
    virtual void CutToClipboard() = 0;
    // The selection to the clipboard as plain text; nothing when empty.
    virtual void CopyToClipboard() = 0;
    // The clipboard's text over the selection, as far as the room allows; nothing without text.
    virtual void PasteFromClipboard() = 0;
    // Selects the whole text.
    virtual void SelectAll() = 0;
};
