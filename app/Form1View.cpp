// The View menu: what the next scan lists besides the folders. Nothing of it is kept past
// the run; the tree on screen stays as it was made until the next scan.
#include <optional>

#include "app/Form1Handlers.h"
#include "app/StatusLine.h"
#include "dialogs/MessageDialog.h"
#include "resources/Texts.h"
#include "tree/OptionTexts.h"

void Form1Handlers::MnuFilesClick(const void*) {
    options_.files = !options_.files;
    CheckMnuFiles(options_.files);
    OptionsChanged();
}

void Form1Handlers::MnuDepthClick(const void*) {
    DepthDialog1.SetText(DepthText(options_.depth));
    // A depth that is no number is asked for again, as it was typed.
    for (;;) {
        if (!DepthDialog1.Execute()) return;
        if (const std::optional<int> depth = ReadDepth(DepthDialog1.Text())) {
            options_.depth = *depth;
            break;
        }
        ShowBadDepth();
    }
    OptionsChanged();
}

void Form1Handlers::MnuExcludeClick(const void*) {
    ExcludeDialog1.SetText(excludeLines_);
    if (!ExcludeDialog1.Execute()) return;
    excludeLines_ = PatternLines(ExcludeDialog1.Text());
    options_.excluded = PatternsOfLines(excludeLines_);
    OptionsChanged();
}

// The status line tells when the tree on screen was made otherwise, and stops telling it
// once the options are those of the tree again.
void Form1Handlers::OptionsChanged() {
    if (!treeOptions_) return;
    const std::string note = texts::Cp932(texts::kOptionsFromNextScan);
    const bool noteShown = Status().Text() == note;
    if (options_ != *treeOptions_) {
        if (noteShown) return;
        beforeNote_ = Status().Text();
        Status().SetText(note);
    } else if (noteShown) {
        Status().SetText(beforeNote_);
    }
}
