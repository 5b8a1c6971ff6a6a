#include <gtest/gtest.h>

#include "doubles/FaultySaves.h"

#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>

#include "gui/support/SaveForm.h"
#include "save/AtomicFile.h"
#include "save/HtmlPage.h"
#include "save/TextLines.h"
#include "unit/support/Bytes.h"
#include "unit/support/SmallDisk.h"
#include "unit/support/TempFolder.h"

namespace {

using save::SavePath;

const std::string kOld = "kept\r\n";

class SaveWritersTest : public ::testing::Test {
protected:
    std::string Saved() { return texts::Cp932(texts::kSavedText); }
    std::string TextFailed() { return texts::Cp932(texts::kSaveTextFailed); }
    std::string HtmlFailed() { return texts::Cp932(texts::kSaveHtmlFailed); }

    SaveForm window;
    TForm1& form = window.form;
    TempFolder folder;
};

TEST_F(SaveWritersTest, TextFileHoldsTheEditorTextByteForByte) {
    window.PutExampleLines();
    PaintedTexts painted(window.StatusLabel());
    form.SaveAsText(SavePath::FromNative(folder / "a.txt"));
    EXPECT_EQ(TempFolder::Read(folder / "a.txt"),
              Bytes({0x63, 0x3A, 0x5C, 0x0D, 0x0A, 0x84, 0xAF, 0x20, 0x41, 0x26, 0x42, 0x0D, 0x0A}));
    // The progress text was on screen before the outcome replaced it.
    ASSERT_FALSE(painted.texts.empty());
    EXPECT_EQ(painted.texts.front(), texts::Cp932(texts::kSavingText));
    EXPECT_EQ(window.StatusText(), Saved());

    // Without the final line break: 11 bytes.
    QTextCursor end = form.Memo1->textCursor();
    end.movePosition(QTextCursor::End);
    end.deletePreviousChar();
    form.SaveAsText(SavePath::FromNative(folder / "b.txt"));
    EXPECT_EQ(TempFolder::Read(folder / "b.txt"),
              Bytes({0x63, 0x3A, 0x5C, 0x0D, 0x0A, 0x84, 0xAF, 0x20, 0x41, 0x26, 0x42}));
}

TEST_F(SaveWritersTest, EmptyTextGivesAnEmptyFileAndALongLineIsWrittenWhole) {
    form.SaveAsText(SavePath::FromNative(folder / "empty.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder / "empty.txt"));
    EXPECT_EQ(std::filesystem::file_size(folder / "empty.txt"), 0u);
    EXPECT_EQ(window.StatusText(), Saved());

    const std::string line(5000, 'x');
    form.Memo1->AppendLine(line);
    form.SaveAsText(SavePath::FromNative(folder / "long.txt"));
    EXPECT_EQ(TempFolder::Read(folder / "long.txt"), line + "\r\n");
    form.SaveAsHtml(SavePath::FromNative(folder / "long.htm"));
    EXPECT_EQ(TempFolder::Read(folder / "long.htm"),
              save::HtmlHead() + line.substr(0, 4096) + "<BR>\r\n" + save::HtmlTail());
}

TEST_F(SaveWritersTest, HtmlPageOfTheWorkedExampleIs179Bytes) {
    window.PutExampleLines();
    PaintedTexts painted(window.StatusLabel());
    form.SaveAsHtml(SavePath::FromNative(folder / "page.htm"));
    const std::string page = TempFolder::Read(folder / "page.htm");
    EXPECT_EQ(page.size(), 179u);
    EXPECT_EQ(page, save::HtmlHead() + Bytes({0x63, 0x3A, 0x5C, 0x3C, 0x42, 0x52, 0x3E, 0x0D, 0x0A, 0x84, 0xAF,
                                              0x20, 0x41, 0x26, 0x42, 0x3C, 0x42, 0x52, 0x3E, 0x0D, 0x0A}) +
                        save::HtmlTail());
    ASSERT_FALSE(painted.texts.empty());
    EXPECT_EQ(painted.texts.front(), texts::Cp932(texts::kSavingHtml));
    EXPECT_EQ(window.StatusText(), texts::Cp932(texts::kSavedHtml));

    // A last line without a line break still gets its "<BR>".
    QTextCursor end = form.Memo1->textCursor();
    end.movePosition(QTextCursor::End);
    end.deletePreviousChar();
    form.SaveAsHtml(SavePath::FromNative(folder / "open.htm"));
    EXPECT_EQ(TempFolder::Read(folder / "open.htm"), page);
}

TEST_F(SaveWritersTest, LinesFromTheFullTextAreTheEditorsLines) {
    // A kanji straddling the 4096-byte cut, an empty line, and texts with and without a final break.
    const std::string straddling = std::string(4095, 'a') + "\x95\x5C" + "tail";
    for (const std::string& text :
         {std::string(), std::string("\r\n"), "c:\\\r\n\r\n" + straddling + "\r\n", "one\r\n" + straddling}) {
        form.Memo1->ClearLines();
        form.Memo1->setPlainText(ToQString(text).replace("\r\n", "\n"));
        ASSERT_EQ(form.Memo1->FullText(), text);
        const save::TextLines lines(text);
        ASSERT_EQ(lines.Count(), form.Memo1->LineCount()) << text.size();
        for (int i = 0; i < lines.Count(); ++i) EXPECT_EQ(lines.At(i), form.Memo1->LineAt(i)) << i;
    }
    EXPECT_EQ(save::TextLines(straddling).At(0), std::string(4095, 'a'));
}

TEST_F(SaveWritersTest, EveryFailureEndsInTheFailureTextWithNothingLost) {
    window.PutExampleLines();
    TempFolder::Write(folder / "kept.txt", kOld);
    chmod((folder / "kept.txt").c_str(), 0444);
    std::filesystem::create_directory(folder / "dir.htm");
    const std::string longName = folder / std::string(259, 'n');
    const std::string longerName = folder / (std::string(256, 'n') + ".htm");
    for (const std::string& target :
         {folder / "missing/a.txt", folder / "dir.htm", folder / "kept.txt", longName, longerName}) {
        form.SaveAsText(SavePath::FromNative(target));
        EXPECT_EQ(window.StatusText(), TextFailed()) << target;
        form.SaveAsHtml(SavePath::FromNative(target));
        EXPECT_EQ(window.StatusText(), HtmlFailed()) << target;
    }
    EXPECT_EQ(TempFolder::Read(folder / "kept.txt"), kOld);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.htm"));
    EXPECT_TRUE(TempFolder::NamesIn(folder / "dir.htm").empty());
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"dir.htm", "kept.txt"}));
    EXPECT_TRUE(window.errorBoxes.empty());
    EXPECT_TRUE(window.dialogs.calls.empty());
}

TEST_F(SaveWritersTest, WriteFailureAnywhereKeepsTheOldFile) {
    window.PutExampleLines();
    chmod(folder.Path().c_str(), 0755);
    for (std::int64_t writable = 0; writable <= 179; writable += 7) {
        TempFolder::Write(folder / "memo.txt", kOld);
        TempFolder::Write(folder / "memo.htm", kOld);
        platform::ScopedSaveFaults faults({writable, false, false});
        if (writable < 13) {
            form.SaveAsText(SavePath::FromNative(folder / "memo.txt"));
            EXPECT_EQ(window.StatusText(), TextFailed());
        }
        form.SaveAsHtml(SavePath::FromNative(folder / "memo.htm"));
        EXPECT_EQ(window.StatusText(), HtmlFailed());
        EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kOld);
        EXPECT_EQ(TempFolder::Read(folder / "memo.htm"), kOld);
        EXPECT_EQ(folder.Names(), (std::set<std::string>{"memo.htm", "memo.txt"}));
    }
}

TEST_F(SaveWritersTest, FullDiskKeepsTheOldFileAndLeavesNoOther) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs CAP_SYS_ADMIN)";
    for (int i = 0; i < 6000; ++i) form.Memo1->AppendLine("folder line " + std::to_string(i));
    TempFolder::Write(disk / "memo.txt", kOld);
    form.SaveAsText(SavePath::FromNative(disk / "memo.txt"));
    EXPECT_EQ(window.StatusText(), TextFailed());
    form.SaveAsHtml(SavePath::FromNative(disk / "memo.htm"));
    EXPECT_EQ(window.StatusText(), HtmlFailed());
    EXPECT_EQ(TempFolder::Read(disk / "memo.txt"), kOld);
    EXPECT_EQ(disk.Names(), std::set<std::string>{"memo.txt"});
}

TEST_F(SaveWritersTest, NameCodePage932CannotSpellIsWrittenUnderItsRealName) {
    window.PutExampleLines();
    const std::string real = "\u2713\uD55C memo.txt";
    form.SaveAsText(SavePath::FromNative(folder / real));
    EXPECT_EQ(window.StatusText(), Saved());
    EXPECT_EQ(folder.Names(), std::set<std::string>{real});
    EXPECT_EQ(TempFolder::Read(folder / real).size(), 13u);
}

}  // namespace
