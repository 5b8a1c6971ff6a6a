// The Edit menu's commands reach the editor from whichever control has the focus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <ostream>
#include <vector>

#include "app/qt/Unit1.h"
#include "drives/qt/FileCtrl.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

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

    // Gives the focus to one of the window's controls and returns the widget that has it.
    using FocusGiver = std::function<QWidget*()>;
    static FocusGiver Focus(QWidget* control) {
        return [control] {
            control->setFocus(Qt::OtherFocusReason);
            return control;
        };
    }
    // The in-place editor of a node's text, opened on a node of the tree.
    FocusGiver FocusLabelEditor() {
        return [this] {
            if (form.TreeView1->Items().NodeCount() == 0) form.TreeView1->Items().AppendChild(nullptr, "c:\\");
            const QModelIndex node = form.TreeView1->model()->index(0, 0);
            form.TreeView1->setCurrentIndex(node);
            form.TreeView1->edit(node);
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            EXPECT_NE(editor, nullptr);
            EXPECT_TRUE(editor != nullptr && form.TreeView1->isAncestorOf(editor));
            return editor;
        };
    }
    std::vector<FocusGiver> Controls() {
        return {Focus(form.TreeView1), Focus(form.DriveComboBox1), Focus(form.Memo1), FocusLabelEditor()};
    }

    // Presses Ctrl with `key` in the control that has the focus; the focus stays there.
    static QWidget* Press(const FocusGiver& focus, Qt::Key key) {
        QWidget* target = focus();
        if (target == nullptr) return nullptr;
        EXPECT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, key, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), target) << target->metaObject()->className();
        return target;
    }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

    TForm1 form;
};

TEST_F(EditCommands, CopyTakesTheEditorsSelection) {
    for (const FocusGiver& control : Controls()) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        const QWidget* target = Press(control, Qt::Key_C);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(Clipboard(), QStringLiteral("world")) << target->metaObject()->className();
        EXPECT_EQ(form.Memo1->FullText(), "hello world\r\n");
    }
}

TEST_F(EditCommands, CutRemovesTheEditorsSelection) {
    for (const FocusGiver& control : Controls()) {
        form.Memo1->ClearLines();
        form.Memo1->AppendLine("abcde");
        QTextCursor cursor = form.Memo1->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        form.Memo1->setTextCursor(cursor);
        const QWidget* target = Press(control, Qt::Key_X);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(Clipboard(), QStringLiteral("bc")) << target->metaObject()->className();
        EXPECT_EQ(form.Memo1->FullText(), "ade\r\n");
    }
}

TEST_F(EditCommands, PasteGoesIntoTheEditorAtItsCaret) {
    std::string expected = "hello world\r\n";
    for (const FocusGiver& control : Controls()) {
        form.Memo1->moveCursor(QTextCursor::Start);
        QGuiApplication::clipboard()->setText(QStringLiteral("<"));
        const QWidget* target = Press(control, Qt::Key_V);
        ASSERT_NE(target, nullptr);
        expected.insert(0, "<");
        EXPECT_EQ(form.Memo1->FullText(), expected) << target->metaObject()->className();
        if (const auto* label = qobject_cast<const QLineEdit*>(target)) {
            EXPECT_EQ(label->text(), QStringLiteral("c:\\"));
        }
    }
}

TEST_F(EditCommands, EmptySelectionAndEmptyClipboardDoNothing) {
    form.Memo1->moveCursor(QTextCursor::End);
    Press(Focus(form.TreeView1), Qt::Key_X);
    Press(Focus(form.TreeView1), Qt::Key_C);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
    QGuiApplication::clipboard()->clear();
    Press(Focus(form.TreeView1), Qt::Key_V);
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
