#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "doubles/ScriptedSaveDialogs.h"
#include "gui/support/ModalDialogs.h"
#include "gui/support/SaveForm.h"
#include "save/HtmlPage.h"
#include "save/TSaveDialog.h"
#include "sjis/Cp932.h"
#include "unit/support/TempFolder.h"

namespace {

const std::string kExampleText = "c:\\\r\n\x84\xAF\x20\x41\x26\x42\r\n";
const std::string kOld = "kept\r\n";
// The two file type descriptions as shown, in code page 932.
const std::string kTextFiles =
    "\x83\x65\x83\x4C\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43\x83\x8B"
    "(*.txt)";
const std::string kHtmlFiles =
    "HTML\x83\x74\x83\x40\x83\x43\x83\x8B"
    "(*.htm)";

QString Native(const std::string& utf8) { return QString::fromUtf8(utf8); }

class SaveCommandTest : public ::testing::Test {
protected:
    void Save(const std::string& path, int filterIndex) {
        saveDialogs.AcceptNext(path, filterIndex);
        form.MnuSave->trigger();
    }
    std::string Status() { return window.StatusText(); }

    SaveForm window;
    TForm1& form = window.form;
    ScriptedSaveDialogs saveDialogs;
    TempFolder folder;
};

TEST_F(SaveCommandTest, SingleLineBreakIsAText) {
    form.Memo1->setPlainText("\n");
    Save(folder / "break.txt", 1);
    EXPECT_EQ(saveDialogs.openings.size(), 1u);
    EXPECT_EQ(TempFolder::Read(folder / "break.txt"), "\r\n");
    EXPECT_EQ(Status(), texts::Cp932(texts::kSavedText));
}

TEST_F(SaveCommandTest, OtherExtensionsWriteNothingAndClearTheStatusLine) {
    window.PutExampleLines();
    // A dot and the kanji 95 5C: its second byte is no folder separator.
    for (const std::string& name : {std::string("memo.doc"), std::string("memo."), sjis::ToUtf8("memo.\x95\x5C")}) {
        form.Status().SetText("earlier");
        Save(folder / name, 1);
        EXPECT_EQ(Status(), "") << name;
    }
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(window.dialogs.calls.empty());
}

TEST_F(SaveCommandTest, DotInAFolderNameIsNoExtension) {
    window.PutExampleLines();
    std::filesystem::create_directory(folder / "data.old");
    Save(folder / "data.old/memo", 2);
    EXPECT_EQ(TempFolder::NamesIn(folder / "data.old"), std::set<std::string>{"memo.htm"});
}

TEST_F(SaveCommandTest, NameCodePage932CannotSpellGetsItsRealSpelling) {
    window.PutExampleLines();
    Save(folder / "\u2713 memo", 1);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"\u2713 memo.txt"});
    EXPECT_EQ(form.SaveDialog1.FileName, texts::Cp932(folder / "? memo"));
}

// The real file dialog, driven as a user would.
class RealSaveDialogTest : public ::testing::Test {
protected:
    // Runs `drive` on the file dialog once it is up; a dialog left open is closed.
    void WhenDialogOpens(std::function<void(QFileDialog&)> drive) {
        WhenModalOpens<QFileDialog>(form, std::move(drive));
    }
    // Replaces the name box's text: ASCII by keys, anything else as an input method commits it.
    static void Type(QFileDialog& dialog, const QString& prefix, const QString& ascii) {
        auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        if (!prefix.isEmpty()) {
            QInputMethodEvent commit;
            commit.setCommitString(prefix);
            QApplication::sendEvent(edit, &commit);
        }
        QTest::keyClicks(edit, ascii);
    }
    // The dialog lists the folder in the background; a name typed before the listing
    // arrives can leave the folder itself selected and the accept button disabled.
    static void WaitForListing(QFileDialog& dialog) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        loaded.wait(2000);
    }
    // Clicks the accept button once the dialog, which reads the folder in the background,
    // enables it; Return could go to the name completer's list instead.
    static void Accept(QFileDialog& dialog) {
        auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        QPushButton* save = buttons->button(QDialogButtonBox::Save);
        ASSERT_NE(save, nullptr);
        for (int waited = 0; !save->isEnabled() && waited < 3000; waited += 20) QTest::qWait(20);
        save->click();
    }

    SaveForm window;
    TForm1& form = window.form;
    TempFolder folder;
};

TEST_F(RealSaveDialogTest, TypedNameIsSavedAndRememberedWithItsFileType) {
    window.PutExampleLines();
    form.SaveDialog1.NativeFileName = folder / "start";
    QStringList shownTypes;
    QPoint placed, expected;
    WhenDialogOpens([&](QFileDialog& dialog) {
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; types && i < types->count(); ++i) shownTypes << types->itemText(i);
        QTest::qWait(50);
        const QRect screen = form.screen()->geometry();
        const QRect frame = dialog.frameGeometry();
        placed = frame.topLeft();
        expected = {screen.x() + (screen.width() - frame.width()) / 2,
                    screen.y() + (screen.height() - frame.height()) / 3};
        Type(dialog, {}, "memo");
        QTest::keyClick(types, Qt::Key_Down);  // the HTML entry
        Accept(dialog);
    });
    form.MnuSave->trigger();
    EXPECT_EQ(shownTypes, (QStringList{ToQString(kTextFiles), ToQString(kHtmlFiles)}));
    EXPECT_EQ(placed, expected);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.htm"});
    EXPECT_EQ(form.SaveDialog1.FilterIndex, 2);
    EXPECT_EQ(form.SaveDialog1.NativeFileName, folder / "memo");

    // The second opening shows that name and type; changing the type keeps a typed extension.
    QString shownName, shownFolder;
    int shownType = 0;
    WhenDialogOpens([&](QFileDialog& dialog) {
        shownName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
        shownFolder = dialog.directory().absolutePath();
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        shownType = types->currentIndex() + 1;
        Type(dialog, Native("\u2713"), " memo.txt");
        QTest::keyClick(types, Qt::Key_Up);  // the text entry
        QTest::keyClick(types, Qt::Key_Down);
        Accept(dialog);
    });
    form.MnuSave->trigger();
    EXPECT_EQ(shownName, "memo");
    EXPECT_EQ(shownFolder, Native(folder.Path()));
    EXPECT_EQ(shownType, 2);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"memo.htm", "\u2713 memo.txt"}));
    EXPECT_EQ(TempFolder::Read(folder / "\u2713 memo.txt"), kExampleText);
    EXPECT_EQ(window.StatusText(), texts::Cp932(texts::kSavedText));
}

TEST_F(RealSaveDialogTest, TypedNameOfAnExistingFileIsAskedAboutByTheDialog) {
    window.PutExampleLines();
    TempFolder::Write(folder / "memo.txt", kOld);
    form.SaveDialog1.NativeFileName = folder / "start";
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        bool asked = false;
        WhenDialogOpens([&](QFileDialog& dialog) {
            WaitForListing(dialog);
            Type(dialog, {}, "memo.txt");
            QTimer::singleShot(50, &dialog, [&asked, answer] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = true;
                    box->button(answer)->click();
                }
            });
            Accept(dialog);
            if (dialog.isVisible()) dialog.reject();  // No leaves the dialog open
        });
        form.MnuSave->trigger();
        EXPECT_TRUE(asked);
        EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), answer == QMessageBox::Yes ? kExampleText : kOld);
    }
    EXPECT_TRUE(window.dialogs.calls.empty());  // the program's own question is for appended names
}

TEST_F(RealSaveDialogTest, CancelClearsTheStatusLine) {
    window.PutExampleLines();
    form.Status().SetText("earlier");
    WhenDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
    form.MnuSave->trigger();
    EXPECT_EQ(window.StatusText(), "");
    EXPECT_EQ(form.SaveDialog1.FilterIndex, 1);
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
