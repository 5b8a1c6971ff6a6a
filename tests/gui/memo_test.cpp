#include "text/qt/TMemo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <initializer_list>
#include <random>
#include <string>

#include "sjis/qt/QtText.h"
#include "text/LineRules.h"
#include "unit/support/Bytes.h"

namespace {

using linerules::kMaxLength;

const std::string kKanji = Bytes({0x95, 0x5C});  // "table", second byte a backslash

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

void Type(QWidget& widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, text, Qt::NoModifier);
}

void Paste(TMemo& memo, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    memo.paste();
}

// Fills the editor with lines of "a" so that `room` (under 150) bytes are left.
void FillLeaving(TMemo& memo, std::size_t room) {
    memo.ClearLines();
    const std::string line(998, 'a');
    for (std::size_t i = 0; i < kMaxLength / 1000; ++i) memo.AppendLine(line);
    memo.AppendLine(std::string(kMaxLength % 1000 - room - 2, 'a'));
    ASSERT_EQ(memo.Length(), kMaxLength - room);
}

TEST(MemoLines, EmptyEditor) {
    TMemo memo;
    EXPECT_EQ(memo.LineCount(), 0);
    EXPECT_EQ(memo.FullText(), "");
    EXPECT_EQ(memo.LineAt(0), "");
    EXPECT_EQ(memo.LineAt(-1), "");
}

TEST(MemoLines, AppendToEmptyClosesTheLine) {
    TMemo memo;
    EXPECT_EQ(memo.AppendLine("abc"), 0);
    EXPECT_EQ(memo.FullText(), "abc\r\n");
    EXPECT_EQ(memo.LineCount(), 1);
    EXPECT_EQ(memo.LineAt(0), "abc");
    EXPECT_EQ(memo.LineAt(1), "");
    EXPECT_EQ(memo.LineAt(2), "");
}

TEST(MemoLines, AppendAfterAnOpenLastLineKeepsItOpen) {
    TMemo memo;
    Type(memo, "A");
    QTest::keyClick(&memo, Qt::Key_Return);
    Type(memo, "B");
    memo.moveCursor(QTextCursor::Start);
    memo.moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
    EXPECT_EQ(memo.AppendLine("C"), 2);
    EXPECT_EQ(memo.FullText(), "A\r\nB\r\nC");
    EXPECT_EQ(memo.LineCount(), 3);
    EXPECT_FALSE(memo.textCursor().hasSelection());
    EXPECT_TRUE(memo.textCursor().atEnd());
}

TEST(MemoLines, EmptyLineBeforeTheLastBreakIsCounted) {
    TMemo memo;
    memo.AppendLine("A");
    EXPECT_EQ(memo.AppendLine(""), 1);
    EXPECT_EQ(memo.FullText(), "A\r\n\r\n");
    EXPECT_EQ(memo.LineCount(), 2);
    EXPECT_EQ(memo.LineAt(1), "");
    memo.ClearLines();
    EXPECT_EQ(memo.FullText(), "");
    EXPECT_EQ(memo.AppendLine("x"), 0);
}

TEST(MemoLines, LongLineIsCutAtACharacterBoundary) {
    TMemo memo;
    memo.AppendLine(std::string(5000, 'a'));
    EXPECT_EQ(memo.LineAt(0), std::string(4096, 'a'));
    EXPECT_EQ(memo.FullText(), std::string(5000, 'a') + "\r\n");
    // A double-byte character across the cut is left out whole.
    const std::string straddling = std::string(4095, 'b') + Repeat(kKanji, 500);
    memo.AppendLine(straddling);
    EXPECT_EQ(memo.LineAt(1), std::string(4095, 'b'));
    const std::string kanjiLine = Repeat(kKanji, 3000);
    memo.AppendLine(kanjiLine);
    EXPECT_EQ(memo.LineAt(2), Repeat(kKanji, 2048));
    EXPECT_EQ(memo.FullText().size(), 5000 + straddling.size() + kanjiLine.size() + 6);
}

TEST(MemoLines, CaretFollowsAppendsAndIsScrolledIntoView) {
    TMemo memo;
    memo.resize(200, 100);
    memo.show();
    for (int i = 0; i < 200; ++i) memo.AppendLine("line " + std::to_string(i));
    EXPECT_TRUE(memo.textCursor().atEnd());
    QApplication::processEvents();
    EXPECT_GT(memo.verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(memo.viewport()->rect().contains(memo.cursorRect()));
}

TEST(MemoLines, AppendIsNotUndoneButTypingIs) {
    TMemo memo;
    Type(memo, "x");
    memo.undo();
    EXPECT_EQ(memo.FullText(), "");
    Type(memo, "y");
    memo.AppendLine("abc");
    memo.undo();
    EXPECT_EQ(memo.FullText(), "y\r\nabc");
}

TEST(MemoLimit, AppendKeepsOnlyWhatFits) {
    TMemo memo;
    FillLeaving(memo, 10);
    memo.AppendLine(Repeat(kKanji, 6));  // 12 bytes and a break
    EXPECT_TRUE(memo.AppendCut());
    std::string text = memo.FullText();
    EXPECT_EQ(text.size(), kMaxLength);
    EXPECT_EQ(memo.Length(), kMaxLength);
    EXPECT_EQ(text.substr(text.size() - 13), "a\r\n" + Repeat(kKanji, 5));
    const int lines = memo.LineCount();
    EXPECT_EQ(memo.AppendLine("z"), lines);
    EXPECT_EQ(memo.FullText(), text);

    // One byte short of a whole character: the character stays out.
    FillLeaving(memo, 9);
    memo.AppendLine(Repeat(kKanji, 6));
    text = memo.FullText();
    EXPECT_EQ(text.size(), kMaxLength - 1);
    EXPECT_EQ(text.substr(text.size() - 11), "a\r\n" + Repeat(kKanji, 4));
    // A break does not fit in one byte, and half of one is never written.
    memo.AppendLine("z");
    EXPECT_EQ(memo.FullText(), text);

    FillLeaving(memo, 3);
    EXPECT_FALSE(memo.AppendCut());
    memo.AppendLine("xyz");
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 4), "\nxyz");
}

TEST(MemoLimit, PasteKeepsTheLeadingPartThatFits) {
    TMemo memo;
    FillLeaving(memo, 5);
    Paste(memo, ToQString(Repeat(kKanji, 3)));
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 7), "\r\n" + Repeat(kKanji, 2));
    EXPECT_TRUE(memo.textCursor().atEnd());
    // The selection it replaces makes room.
    memo.moveCursor(QTextCursor::Left, QTextCursor::KeepAnchor);
    Paste(memo, "xyz");
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 7), "\r\n" + kKanji + "xyz");
    EXPECT_EQ(memo.Length(), kMaxLength);
    Paste(memo, "more");
    EXPECT_EQ(memo.Length(), kMaxLength);
}

TEST(MemoLimit, TypingAndInputMethodStopAtTheLimit) {
    TMemo memo;
    FillLeaving(memo, 3);
    Type(memo, ToQString(kKanji));
    Type(memo, ToQString(kKanji));
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    QTest::keyClick(&memo, Qt::Key_Return);
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    QTest::keyClick(&memo, Qt::Key_Tab);
    EXPECT_EQ(memo.Length(), kMaxLength);
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 5), "\r\n" + kKanji + "\t");

    FillLeaving(memo, 5);
    QInputMethodEvent commit;
    commit.setCommitString(ToQString(Repeat(kKanji, 3)));
    QApplication::sendEvent(&memo, &commit);
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 7), "\r\n" + Repeat(kKanji, 2));
}

TEST(MemoLimit, DropKeepsOnlyWhatFits) {
    TMemo memo;
    memo.resize(300, 200);
    FillLeaving(memo, 4);
    memo.moveCursor(QTextCursor::End);
    QMimeData data;
    data.setText("12345678");
    const QPointF point = memo.cursorRect().center();
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &enter);
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &drop);
    EXPECT_EQ(memo.Length(), kMaxLength);
    EXPECT_EQ(memo.FullText().substr(kMaxLength - 6), "\r\n1234");
}

TEST(MemoInput, UnspellableCharactersAreHeldAsQuestionMarks) {
    TMemo memo;
    Paste(memo, QString::fromUtf8("a\u00E9\U0001F600\u8868"));
    EXPECT_EQ(memo.FullText(), "a??" + kKanji);
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("a??\u8868"));  // what is shown is what is saved
    Type(memo, QString::fromUtf8("\u00E9"));
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("a??\u8868?"));
    EXPECT_EQ(memo.Length(), 6u);
}

TEST(MemoInput, EveryKindOfPastedBreakIsOneLineBreak) {
    TMemo memo;
    Paste(memo, "a\r\nb\rc\nd\r\r\ne");
    EXPECT_EQ(memo.FullText(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(memo.LineCount(), 6);
    QTest::keyClick(&memo, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(memo.FullText(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
}

TEST(MemoInput, CopyOffersPlainTextOnly) {
    TMemo memo;
    memo.AppendLine("A");
    memo.AppendLine("B");
    memo.selectAll();
    memo.copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(data->text(), QStringLiteral("A\nB\n"));
}

TEST(MemoInput, LengthFollowsEveryKindOfEdit) {
    // Edits that join, split and remove blocks, undone and redone, must leave the
    // running byte count equal to the text's real length.
    TMemo memo;
    std::mt19937 random(7);
    const QString pieces[] = {QStringLiteral("ab"), ToQString(kKanji), QStringLiteral("x\ny"), QStringLiteral("\n"),
                              QStringLiteral("\n\n") + ToQString(Repeat(kKanji, 3))};
    for (int step = 0; step < 400; ++step) {
        const int size = memo.document()->characterCount();
        QTextCursor cursor = memo.textCursor();
        cursor.setPosition(int(random() % size));
        cursor.setPosition(int(random() % size), QTextCursor::KeepAnchor);
        memo.setTextCursor(cursor);
        switch (random() % 6) {
            case 0: memo.undo(); break;
            case 1: memo.redo(); break;
            case 2: QTest::keyClick(&memo, Qt::Key_Backspace); break;
            case 3: memo.cut(); break;
            case 4: memo.AppendLine("line"); break;
            default: Paste(memo, pieces[random() % std::size(pieces)]); break;
        }
        ASSERT_EQ(memo.Length(), memo.FullText().size()) << "step " << step;
    }
    memo.ClearLines();
    EXPECT_EQ(memo.Length(), 0u);
}

TEST(MemoSettings, EditorLooksAsDesigned) {
    TMemo memo;
    EXPECT_EQ(QFontInfo(memo.font()).family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(memo.font().pixelSize(), 17);
    EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(memo.isReadOnly());
    // A line wider than the pane runs on and the horizontal bar reaches its end.
    memo.resize(200, 100);
    memo.show();
    memo.AppendLine(std::string(400, 'w'));
    EXPECT_EQ(memo.document()->lineCount(), 2);
    EXPECT_GT(memo.horizontalScrollBar()->maximum(), 0);
}

}  // namespace
