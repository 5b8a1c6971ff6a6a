#pragma once
// The editor pane: a plain multi-line editor over code page 932 text with CR LF
// between lines, holding at most linerules::kMaxLength bytes.
#include <QPlainTextEdit>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/EditorPane.h"

class BlockByteCounter;

class TMemo : public QPlainTextEdit, public EditorPane {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);
    ~TMemo() override;

    // Line list (code page 932 bytes, CR LF breaks).
    void ClearLines() override;
    int AppendLine(std::string_view line) override;
    int LineCount() const override;
    std::string LineAt(int index) const override;
    std::string FullText() const override;

    // Bytes the text holds now, every line break counting two.
    std::size_t Length() const;
    // True when the last AppendLine kept less than it was given, for want of room.
    bool AppendCut() const override { return appendCut_; }

    // Focus and the clipboard commands.
    void SetFocus() override { setFocus(Qt::OtherFocusReason); }
    void CutToClipboard() override { cut(); }
    void CopyToClipboard() override { copy(); }
    void PasteFromClipboard() override { paste(); }
    void SelectAll() override { selectAll(); }

    // Puts `text` over the selection as far as the room allows, as typing and pasting do:
    // characters code page 932 cannot spell become "?", every kind of line break one break.
    void InsertLimited(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    std::size_t Room() const;
    // Puts the leading part of `cp932` that fits over the cursor's selection; returns its bytes.
    std::size_t InsertCut(QTextCursor& cursor, std::string_view cp932);
    // Whether the text would go in unchanged: every character spellable and room enough.
    bool FitsAsItIs(const QString& text) const;
    void ScrollToCaretSoon();

    BlockByteCounter* bytes_;  // owned by the document
    bool appendCut_ = false;
    bool scrollPending_ = false;
};
