#include "text/qt/TMemo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "resources/Texts.h"
#include "sjis/qt/QtText.h"
#include "text/LineRules.h"
#include "text/qt/BlockByteCounter.h"

namespace {

constexpr int kFontPixels = 17;

QFont MemoFont() {
    QFont font(ToQString(texts::Cp932(texts::kMemoFontFace)));
    font.setPixelSize(kFontPixels);
    return font;
}

// Text as the document takes it: its own break character instead of CR LF.
QString DocumentText(std::string_view cp932) {
    return ToQString(cp932).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Text from outside with the document's line and paragraph separators made plain breaks.
QString PlainBreaks(QString text) {
    return text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
}

bool Spellable(const QString& text) { return ToQString(FromQString(text)) == text; }

// Whether the editing control would insert the key's text: a printable character
// or a tab, not a Ctrl chord.
bool InsertsText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format) return true;
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return false;
    return first.isPrint() || first == u'\t' || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

}  // namespace

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), bytes_(new BlockByteCounter(*document())) {
    setFont(MemoFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setUndoRedoEnabled(true);
    // The selection stays but is not highlighted while the editor lacks the focus.
    QPalette colours = palette();
    colours.setBrush(QPalette::Inactive, QPalette::Highlight, colours.brush(QPalette::Inactive, QPalette::Base));
    colours.setBrush(QPalette::Inactive, QPalette::HighlightedText, colours.brush(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

TMemo::~TMemo() = default;

void TMemo::ClearLines() {
    clear();
    appendCut_ = false;
}

int TMemo::AppendLine(std::string_view line) {
    const int index = LineCount();
    const bool lastLineOpen = !document()->lastBlock().text().isEmpty();
    const std::string piece = linerules::AppendPiece(linerules::UnifyBreaks(line), lastLineOpen);
    // The caret goes to the end first; text inserted there then carries it along, which
    // spares a cursor change per line when many lines are appended in a row.
    QTextCursor caret = textCursor();
    if (caret.hasSelection() || !caret.atEnd()) {
        caret.movePosition(QTextCursor::End);
        setTextCursor(caret);
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // Turning undo off empties the history: earlier steps could not be undone safely around
    // text they never saw.
    document()->setUndoRedoEnabled(false);
    const std::size_t kept = InsertCut(cursor, piece);
    document()->setUndoRedoEnabled(true);
    appendCut_ = kept < piece.size();
    ScrollToCaretSoon();
    return index;
}

int TMemo::LineCount() const {
    const QTextDocument& doc = *document();
    return doc.blockCount() - (doc.lastBlock().length() <= 1 ? 1 : 0);
}

std::string TMemo::LineAt(int index) const {
    if (index < 0 || index >= document()->blockCount()) return {};
    // Every character takes at least one byte, so this many characters always cover the cut.
    const QString text = document()->findBlockByNumber(index).text().left(qsizetype(linerules::kMaxLineBytes));
    std::string line = FromQString(text);
    line.resize(linerules::FitLength(line, linerules::kMaxLineBytes));
    return line;
}

std::string TMemo::FullText() const {
    // One conversion of the whole text; blocks never hold CR or LF themselves, so each LF
    // standing for a block separator widens to CR LF afterwards.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return linerules::UnifyBreaks(FromQString(text));
}

void TMemo::ScrollToCaretSoon() {
    // Once when control returns to the event loop, not per line: nothing is drawn before then.
    if (scrollPending_) return;
    scrollPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scrollPending_ = false;
            ensureCursorVisible();
        },
        Qt::QueuedConnection);
}

std::size_t TMemo::Length() const { return bytes_->Length(); }

std::size_t TMemo::Room() const {
    const std::size_t length = Length();
    return length < linerules::kMaxLength ? linerules::kMaxLength - length : 0;
}

std::size_t TMemo::InsertCut(QTextCursor& cursor, std::string_view cp932) {
    const std::size_t room = Room() + BlockByteCounter::BytesOf(cursor.selectedText());
    const std::string_view kept = linerules::LeadingPart(cp932, room);
    cursor.insertText(DocumentText(kept));
    return kept.size();
}

void TMemo::InsertLimited(const QString& text) {
    QTextCursor cursor = textCursor();
    InsertCut(cursor, linerules::UnifyBreaks(FromQString(PlainBreaks(text))));
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool TMemo::FitsAsItIs(const QString& text) const {
    if (!Spellable(text)) return false;
    const std::size_t bytes = BlockByteCounter::BytesOf(text);
    return bytes <= Room() || bytes <= Room() + BlockByteCounter::BytesOf(textCursor().selectedText());
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Shift+Enter included: every break the user types is a plain line break.
        InsertLimited(QStringLiteral("\n"));
        event->accept();
        return;
    }
    if (InsertsText(*event) && !FitsAsItIs(event->text())) {
        InsertLimited(event->text());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || FitsAsItIs(commit)) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const std::size_t room = Room() + BlockByteCounter::BytesOf(textCursor().selectedText());
    const std::string bytes = linerules::UnifyBreaks(FromQString(PlainBreaks(commit)));
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(DocumentText(linerules::LeadingPart(bytes, room)), event->replacementStart(),
                        event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    event->accept();
}

void TMemo::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) return;
    const QString text = source->text();
    if (!text.isEmpty()) InsertLimited(text);
}

QMimeData* TMemo::createMimeDataFromSelection() const {
    auto* mime = new QMimeData;  // the caller takes it
    mime->setText(PlainBreaks(textCursor().selectedText()));
    return mime;
}
