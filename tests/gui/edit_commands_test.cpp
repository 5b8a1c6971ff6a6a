// The Edit menu's commands reach the editor from whichever control has the focus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <ostream>
#include <vector>

#include "app/Unit1.h"
#include "drives/FileCtrl.h"
#include "text/TMemo.h"
#include "tree/TTreeView.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        // "hello world" with "world" selected and the caret after it.
        form.Memo1->AppendLine("hello world");
        QTextCursor cursor = form.Memo1->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        form.Memo1->setTextCursor(cursor);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }

    // The in-place editor of a node's text: a line editor inside the tree.
    QLineEdit* LabelEditor() {
        auto* editor = new QLineEdit(QStringLiteral("label"), form.TreeView1);
        editor->show();
        return editor;
    }

    // Gives `target` the focus and presses Ctrl with `key` where the focus is.
    void PressFrom(QWidget* target, Qt::Key key) {
        target->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, key, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), target);
    }

    std::vector<QWidget*> Controls() { return {form.TreeView1, form.DriveComboBox1, form.Memo1, LabelEditor()}; }

    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

    TForm1 form;
};

TEST_F(EditCommands, CopyTakesTheEditorsSelection) {
    for (QWidget* control : Controls()) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        PressFrom(control, Qt::Key_C);
        EXPECT_EQ(Clipboard(), QStringLiteral("world")) << control->metaObject()->className();
        EXPECT_EQ(form.Memo1->FullText(), "hello world\r\n");
    }
}

TEST_F(EditCommands, CutRemovesTheEditorsSelection) {
    for (QWidget* control : Controls()) {
        form.Memo1->ClearLines();
        form.Memo1->AppendLine("abcde");
        QTextCursor cursor = form.Memo1->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        form.Memo1->setTextCursor(cursor);
        PressFrom(control, Qt::Key_X);
        EXPECT_EQ(Clipboard(), QStringLiteral("bc")) << control->metaObject()->className();
        EXPECT_EQ(form.Memo1->FullText(), "ade\r\n");
    }
}

TEST_F(EditCommands, PasteGoesIntoTheEditorAtItsCaret) {
    QLineEdit* label = LabelEditor();
    std::string expected = "hello world\r\n";
    for (QWidget* control : {static_cast<QWidget*>(form.TreeView1), static_cast<QWidget*>(form.DriveComboBox1),
                             static_cast<QWidget*>(label), static_cast<QWidget*>(form.Memo1)}) {
        form.Memo1->moveCursor(QTextCursor::Start);
        QGuiApplication::clipboard()->setText(QStringLiteral("<"));
        PressFrom(control, Qt::Key_V);
        expected.insert(0, "<");
        EXPECT_EQ(form.Memo1->FullText(), expected) << control->metaObject()->className();
    }
    EXPECT_EQ(label->text(), QStringLiteral("label"));
}

TEST_F(EditCommands, EmptySelectionAndEmptyClipboardDoNothing) {
    form.Memo1->moveCursor(QTextCursor::End);
    PressFrom(form.TreeView1, Qt::Key_X);
    PressFrom(form.TreeView1, Qt::Key_C);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
    QGuiApplication::clipboard()->clear();
    PressFrom(form.TreeView1, Qt::Key_V);
    EXPECT_EQ(form.Memo1->FullText(), "hello world\r\n");
}

TEST_F(EditCommands, SelectAllMovesTheFocusFirst) {
    form.TreeView1->setFocus(Qt::OtherFocusReason);
    form.MnuAllSelect->trigger();
    EXPECT_EQ(QApplication::focusWidget(), form.Memo1);
    EXPECT_EQ(form.Memo1->textCursor().selectedText(), QStringLiteral("hello world\u2029"));
}

TEST_F(EditCommands, TabStaysInTheEditor) {
    form.TreeView1->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form.TreeView1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.Memo1);
    form.Memo1->moveCursor(QTextCursor::Start);
    QTest::keyClick(form.Memo1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.Memo1);
    EXPECT_EQ(form.Memo1->FullText(), "\thello world\r\n");
}

TEST_F(EditCommands, SelectionIsNotHighlightedWithoutTheFocus) {
    form.Memo1->setFocus(Qt::OtherFocusReason);
    form.Memo1->selectAll();
    const QImage focused = form.Memo1->viewport()->grab().toImage();
    form.TreeView1->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = form.Memo1->viewport()->grab().toImage();
    QTextCursor cursor = form.Memo1->textCursor();
    cursor.clearSelection();
    form.Memo1->setTextCursor(cursor);
    const QImage plain = form.Memo1->viewport()->grab().toImage();
    EXPECT_NE(focused, plain);
    EXPECT_EQ(unfocused, plain);
    EXPECT_TRUE(form.Memo1->textCursor().atEnd());
}

}  // namespace
