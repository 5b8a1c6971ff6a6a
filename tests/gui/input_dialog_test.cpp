// The input dialog live, driven by keys sent to whatever has the focus once it runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "dialogs/InputDialog.h"
#include "dialogs/qt/TInputForm.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

// Opens the dialog through Execute and runs `act` on it once it is up; a dialog that `act`
// leaves open is cancelled after a while, and the test fails.
bool Opened(InputDialog& dialog, const std::function<void(TInputForm&)>& act) {
    QObject guard;
    QTimer::singleShot(0, &guard, [act] {
        auto* form = qobject_cast<TInputForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        act(*form);
    });
    QTimer::singleShot(5000, &guard, [] {
        if (auto* form = qobject_cast<TInputForm*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the dialog stayed open";
            form->reject();
        }
    });
    return dialog.Execute();
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Each character as a key that types it (an input method's text for what no key spells).
void Type(const char* text) {
    for (const QChar character : QString::fromUtf8(text)) {
        if (character.unicode() < 0x80)
            QTest::keyClicks(QApplication::focusWidget(), QString(character));
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

TEST(InputDialogTest, OneLineTypedOverWhatItShowsReturnConfirmsEscapeAndCloseCancel) {
    InputDialog depth(texts::kDepthDialogTitle, texts::kDepthPrompt, InputDialog::kOneLine);
    depth.SetText("5");
    EXPECT_TRUE(Opened(depth, [](TInputForm& form) {
        EXPECT_EQ(form.windowTitle(), ToQString(texts::Cp932(texts::kDepthDialogTitle)));
        EXPECT_EQ(form.Prompt()->text(), ToQString(texts::Cp932(texts::kDepthPrompt)));
        ASSERT_NE(form.LineBox(), nullptr);
        EXPECT_EQ(form.LinesBox(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), form.LineBox());
        EXPECT_EQ(form.OkButton()->text(), QStringLiteral("OK"));
        EXPECT_EQ(form.CancelButton()->text(), ToQString(texts::Cp932(texts::kButtonCancel)));
        Type("１2");  // the shown text is selected: typing replaces it
        Key(Qt::Key_Return);
    }));
    EXPECT_EQ(depth.Text(),
              "\x82\x50"
              "2");

    EXPECT_FALSE(Opened(depth, [](TInputForm&) {
        Type("9");
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(depth.Text(),
              "\x82\x50"
              "2");
    EXPECT_FALSE(Opened(depth, [](TInputForm& form) { form.close(); }));
    // Tab goes to OK, then to キャンセル; Return presses the button that has the focus.
    EXPECT_FALSE(Opened(depth, [](TInputForm&) {
        Type("7");
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Return);
    }));
    EXPECT_TRUE(Opened(depth, [](TInputForm&) {
        Type("7");
        Key(Qt::Key_Tab);
        Key(Qt::Key_Return);
    }));
    EXPECT_EQ(depth.Text(), "7");
}

TEST(InputDialogTest, SeveralLinesTakeReturnAsANewLineAndCtrlReturnOrOkConfirms) {
    InputDialog names(texts::kExcludeDialogTitle, texts::kExcludePrompt, InputDialog::kManyLines);
    names.SetText("node_modules\r\n.git");
    EXPECT_TRUE(Opened(names, [](TInputForm& form) {
        ASSERT_NE(form.LinesBox(), nullptr);
        EXPECT_EQ(form.LineBox(), nullptr);
        EXPECT_EQ(form.LinesBox()->toPlainText(), QStringLiteral("node_modules\n.git"));
        // The caret at the end, the lines kept: typing goes on from there.
        Key(Qt::Key_Return);
        Type("*.o");
        Key(Qt::Key_Return, Qt::ControlModifier);
    }));
    EXPECT_EQ(names.Text(), "node_modules\r\n.git\r\n*.o");

    EXPECT_TRUE(Opened(names, [](TInputForm&) {
        Key(Qt::Key_Return);
        Type("写真");
        Key(Qt::Key_Tab);  // to OK: a tab is no character of a name
        Key(Qt::Key_Return);
    }));
    EXPECT_EQ(names.Text(), "node_modules\r\n.git\r\n*.o\r\n\x8E\xCA\x90\x5E");

    EXPECT_FALSE(Opened(names, [](TInputForm&) {
        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Delete);
        Key(Qt::Key_Escape);
    }));
    EXPECT_EQ(names.Text(), "node_modules\r\n.git\r\n*.o\r\n\x8E\xCA\x90\x5E");
}

}  // namespace
