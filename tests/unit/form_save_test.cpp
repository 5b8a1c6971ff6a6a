// The save command and its writers without a window: the files they leave on disk, byte for
// byte, and what the status line and the dialogs show on the way.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "doubles/FakeMachine.h"
#include "doubles/ScriptedForm.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "doubles/ScriptedSaveDialogs.h"
#include "resources/Texts.h"
#include "unit/support/Bytes.h"
#include "unit/support/TempFolder.h"

namespace {

std::string T(std::string_view utf8) { return texts::Cp932(utf8); }

// c:\ and the last-child piece, a blank and A&B, as memo creation leaves them.
const std::string kExample = "c:\\\r\n\x84\xAF\x20\x41\x26\x42\r\n";
const std::string kOld = "kept\r\n";

class FormSave : public ::testing::Test, protected FakeMachine {
protected:
    FormSave() {
        form.Show();
        form.Memo1.text = kExample;
    }
    void Save(const std::string& name, int filterIndex) {
        saveDialogs.AcceptNext(folder / name, filterIndex);
        form.Command(&Form1Handlers::MnuSaveClick);
    }

    ScriptedMessageDialogs dialogs;
    ScriptedSaveDialogs saveDialogs;
    ScriptedForm form;
    TempFolder folder;
};

TEST_F(FormSave, TextAndHtmlFilesHoldTheEditorsBytesWithTheProgressPaintedFirst) {
    Save("memo", 1);
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"),
              Bytes({0x63, 0x3A, 0x5C, 0x0D, 0x0A, 0x84, 0xAF, 0x20, 0x41, 0x26, 0x42, 0x0D, 0x0A}));
    EXPECT_EQ(form.StatusBar1.painted.back(), T(texts::kSavingText));
    EXPECT_EQ(form.Status().Text(), T(texts::kSavedText));
    // The dialog keeps the name it returned, without the extension the command added.
    EXPECT_EQ(form.SaveDialog1.FileName, folder / "memo");

    Save("memo", 2);
    const std::string page = TempFolder::Read(folder / "memo.htm");
    EXPECT_EQ(page.size(), 179u);
    EXPECT_EQ(page,
              "<HTML>\r\n<HEAD>\r\n<TITLE>\x83\x74\x83\x48\x83\x8B\x83\x5F\x8D\x5C\x90\xAC</TITLE>\r\n"
              "<META NAME=GENERATOR CONTENT=\"Orvale\">\r\n</HEAD>\r\n<BODY>\r\n"
              "<BASEFONT FACE=\"\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9\">\r\n<P>\r\n"
              "c:\\<BR>\r\n\x84\xAF\x20\x41\x26\x42<BR>\r\n</P></BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(form.StatusBar1.painted.back(), T(texts::kSavingHtml));
    EXPECT_EQ(form.Status().Text(), T(texts::kSavedHtml));
    // Each opening showed the name and file type accepted the time before.
    ASSERT_EQ(saveDialogs.openings.size(), 2u);
    EXPECT_EQ(saveDialogs.openings[1].fileName, folder / "memo");
    EXPECT_EQ(saveDialogs.openings[1].filterIndex, 1);
    EXPECT_EQ(form.SaveDialog1.FilterIndex, 2);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FormSave, ATypedExtensionWinsAndAnyOtherWritesNothing) {
    Save("memo.txt", 2);
    Save("Page.HTML", 1);
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kExample);
    EXPECT_EQ(TempFolder::Read(folder / "Page.HTML").substr(0, 8), "<HTML>\r\n");
    for (const std::string name : {"memo.doc", "memo."}) {
        form.Status().SetText("earlier");
        Save(name, 1);
        EXPECT_EQ(form.Status().Text(), "") << name;
    }
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Page.HTML", "memo.txt"}));
}

TEST_F(FormSave, AnAppendedExtensionAsksBeforeReplacingAFileTheDialogDidNotSee) {
    TempFolder::Write(folder / "memo.txt", kOld);
    dialogs.AnswerNext(mrNo);
    form.Status().SetText("earlier");
    Save("memo", 1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, texts::Format(texts::kConfirmOverwrite, folder / "memo.txt"));
    EXPECT_EQ(dialogs.calls[0].buttons, ButtonSet({mbYes, mbNo}));
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kOld);
    EXPECT_EQ(form.Status().Text(), "");
    Save("memo", 1);  // the question closed without an answer
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kOld);

    dialogs.AnswerNext(mrYes);
    Save("memo", 1);
    EXPECT_EQ(TempFolder::Read(folder / "memo.txt"), kExample);
    Save("memo.txt", 1);  // typed in full: the file dialog's own question
    EXPECT_EQ(dialogs.calls.size(), 3u);
}

TEST_F(FormSave, AnEmptyEditorIsReportedACancelClearsAndAFailureOnlySaysSo) {
    form.Memo1.text.clear();
    form.Status().SetText("earlier");
    form.Command(&Form1Handlers::MnuSaveClick);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, T(texts::kNoMemo));
    EXPECT_EQ(dialogs.calls[0].kind, mkConfirmation);
    EXPECT_TRUE(saveDialogs.openings.empty());
    EXPECT_EQ(form.Status().Text(), "earlier");

    form.Memo1.text = kExample;
    Save("memo", 2);
    saveDialogs.CancelNext();
    form.Command(&Form1Handlers::MnuSaveClick);
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_EQ(form.SaveDialog1.FilterIndex, 2);

    const std::string missing = std::string("missing") + TempFolder::kSeparator;
    Save(missing + "a.txt", 1);
    EXPECT_EQ(form.Status().Text(), T(texts::kSaveTextFailed));
    Save(missing + "a.htm", 1);
    EXPECT_EQ(form.Status().Text(), T(texts::kSaveHtmlFailed));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"memo.htm"});
    EXPECT_TRUE(dialogs.errorBoxes.empty());
}

}  // namespace
