#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTest>
#include <stdexcept>
#include <utility>

#include "app/qt/Unit1.h"
#include "dialogs/ErrorBox.h"
#include "dialogs/MessageDialog.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "drives/qt/FileCtrl.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

namespace {

QString Q(std::string_view utf8) { return ToQString(texts::Cp932(utf8)); }

class MainWindowTest : public ::testing::Test, protected FakeMachine {
protected:
    MainWindowTest() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('d', platform::DriveType::Fixed, "Data");
        drives.currentDirectory = "C:\\work";
    }
    ScriptedMessageDialogs dialogs;
};

}  // namespace

TEST_F(MainWindowTest, StartsWithThePromptAnEmptyTreeAndEditorAndNoScan) {
    TForm1 form;
    EXPECT_FALSE(form.IsActivated());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    EXPECT_TRUE(form.IsActivated());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kSelectDrive));
    EXPECT_EQ(form.TreeView1->Items().NodeCount(), 0);
    EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
    EXPECT_EQ(form.DriveComboBox1->CurrentDrive(), 'c');
    // The selector's change event at window creation ran no scan: no dialog, no beep, no listing.
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orvale"));
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(197, 118));
    EXPECT_EQ(form.frameGeometry().size(), QSize(696, 480));
}

TEST_F(MainWindowTest, TheCountFieldRightOfTheTextGroupsTheDigitsInThrees) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* count = form.StatusBar1->findChild<QLabel*>("StatusCount");
    auto* text = form.StatusBar1->findChild<QLabel*>("StatusText");
    ASSERT_TRUE(count && text);
    EXPECT_FALSE(count->isVisible());

    const std::pair<int, const char*> cases[] = {{0, "0"},          {999, "999"},        {1000, "1,000"},
                                                 {12345, "12,345"}, {999999, "999,999"}, {1234567, "1,234,567"}};
    for (const auto& [folders, digits] : cases) {
        form.Status().ShowFolderCount(folders);
        EXPECT_EQ(FromQString(count->text()), texts::Format(texts::kFolderCount, digits)) << folders;
        EXPECT_TRUE(count->isVisible()) << folders;
    }
    QApplication::processEvents();
    EXPECT_GE(count->x(), text->x() + text->width());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kSelectDrive));

    form.Status().HideFolderCount();
    EXPECT_FALSE(count->isVisible());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kSelectDrive));
}

TEST_F(MainWindowTest, MenuBarHoldsTheCaptionsAndShortcutsInOrder) {
    TForm1 form;
    const QList<QAction*> bar = form.menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), Q(texts::kMenuFile));
    EXPECT_EQ(bar[1]->text(), Q(texts::kMenuEdit));
    EXPECT_EQ(bar[2]->text(), Q(texts::kMenuMemo));
    EXPECT_EQ(bar[2]->menu(), nullptr) << "memo creation is a command on the bar, not a menu";
    EXPECT_EQ(bar[2]->text(), QString::fromUtf8("メモ作成(&M)"));

    const QList<QAction*> file = form.MnuFile->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[0]->text(), QString::fromUtf8("フォルダを開く(&O)..."));
    EXPECT_EQ(file[1]->text(), QString::fromUtf8("名前を付けて保存 (&S)..."));
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[3]->text(), QString::fromUtf8("終了\u3000(&X)"));

    const QList<QAction*> edit = form.MnuEdit->actions();
    ASSERT_EQ(edit.size(), 5);
    EXPECT_EQ(edit[0]->text(), QString::fromUtf8("切り取り (&T)"));
    EXPECT_EQ(edit[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(edit[1]->text(), QString::fromUtf8("コピー (&C)"));
    EXPECT_EQ(edit[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(edit[2]->text(), QString::fromUtf8("貼り付け (&P)"));
    EXPECT_EQ(edit[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_TRUE(edit[3]->isSeparator());
    EXPECT_EQ(edit[4]->text(), QString::fromUtf8("全て選択 (&L)"));
    EXPECT_TRUE(edit[4]->shortcut().isEmpty());
    EXPECT_EQ(form.MnuFile->title(), QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(form.MnuEdit->title(), QString::fromUtf8("編集(&E)"));
}

TEST_F(MainWindowTest, AFailureAHandlerLetsThroughIsShownAndTheProgramGoesOn) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const std::vector<std::string>& shown = dialogs.errorBoxes;

    // A label edit can hand the tree store any position; an invalid one fails inside the handler.
    errorbox::Guard([&] { throw std::runtime_error(texts::Cp932(texts::kInvalidIndex)); });
    errorbox::Guard([&] { throw std::runtime_error("Stopped."); });

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], texts::Cp932(texts::kInvalidIndex) + ".");
    EXPECT_EQ(shown[1], "Stopped.");
    // The window still takes commands afterwards.
    form.MnuExit->trigger();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindowTest, ExitClosesAtOnceEvenWithUnsavedText) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Memo1->setPlainText("never saved");
    form.MnuExit->trigger();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MainWindowTest, SplitterKeepsThePaneAtThirtyPixelsAndTheSelectorFollowsIt) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.Panel1->width(), 185);
    EXPECT_EQ(form.Splitter1->handleWidth(), 3);
    EXPECT_EQ(form.DriveComboBox1->width(), form.Panel1->width());

    QSplitterHandle* handle = form.Splitter1->handle(1);
    const QPoint grip(1, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(400, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(400, 0));
    EXPECT_EQ(form.Panel1->width(), 30);
    EXPECT_EQ(form.DriveComboBox1->width(), 30);

    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(120, 0));
    // The handle keeps the grab offset of the press, so the pane may land a pixel short.
    EXPECT_NEAR(form.Panel1->width(), 150, 1);
    EXPECT_EQ(form.DriveComboBox1->width(), form.Panel1->width());
}

TEST(Application, ToolkitTextsComeFromQtsJapaneseTranslation) {
    // The editor's context menu and the file dialog's buttons, as Qt itself would show them.
    EXPECT_NE(QCoreApplication::translate("QWidgetTextControl", "&Undo"), QStringLiteral("&Undo"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "&Save"), QStringLiteral("&Save"));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
