// Saving: the save command and the two writers.
#include <functional>

#include "app/Form1Handlers.h"
#include "app/StatusLine.h"
#include "dialogs/MessageDialog.h"
#include "resources/Texts.h"
#include "save/FileExtension.h"
#include "save/HtmlPage.h"
#include "save/TextFile.h"
#include "save/TextLines.h"
#include "text/EditorPane.h"

namespace {

// Progress text painted now, then the outcome; no failure of the write gets further.
void RunWriter(StatusLine& status, std::string_view saving, std::string_view saved, std::string_view failed,
               const std::function<void()>& write) {
    status.SetText(texts::Cp932(saving));
    status.RepaintNow();
    try {
        write();
        status.SetText(texts::Cp932(saved));
    } catch (...) {
        status.SetText(texts::Cp932(failed));
    }
}

// The file dialog asked about the name as typed; a file under the name with the appended
// extension would otherwise be replaced without a question.
bool MayReplace(const save::SavePath& target, const save::SaveChoice& choice) {
    if (choice.appended.empty() || !target.NamesExistingFile()) return true;
    return MessageDialog(texts::Format(texts::kConfirmOverwrite, target.name), mkConfirmation, ButtonSet({mbYes, mbNo}),
                         0) == mrYes;
}

}  // namespace

void Form1Handlers::MnuSaveClick(const void*) {
    if (Editor().LineCount() == 0) {
        ShowNoMemo();
        return;
    }
    if (!SaveDialog1.Execute()) {
        Status().Clear();
        return;
    }
    const save::SaveChoice choice = save::ChooseFormat(SaveDialog1.FileName, SaveDialog1.FilterIndex);
    const save::SavePath target = SaveDialog1.Path().WithSuffix(choice.appended);
    if (choice.format == save::SaveFormat::kNone || !MayReplace(target, choice)) {
        Status().Clear();
        return;
    }
    if (choice.format == save::SaveFormat::kText)
        SaveAsText(target);
    else
        SaveAsHtml(target);
}

void Form1Handlers::SaveAsText(const save::SavePath& fileName) {
    RunWriter(Status(), texts::kSavingText, texts::kSavedText, texts::kSaveTextFailed,
              [&] { save::WriteTextFile(fileName, Editor().FullText()); });
}

void Form1Handlers::SaveAsHtml(const save::SavePath& fileName) {
    RunWriter(Status(), texts::kSavingHtml, texts::kSavedHtml, texts::kSaveHtmlFailed, [&] {
        // The editor's lines, read from one copy of its text rather than line by line.
        const std::string text = Editor().FullText();
        const save::TextLines lines(text);
        save::WriteHtmlPage(fileName, lines.Count(), [&lines](int i) { return lines.At(i); });
    });
}
