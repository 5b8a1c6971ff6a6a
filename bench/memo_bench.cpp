// Memo creation on large trees, offscreen, beside a plain QPlainTextEdit given the same text.
#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/qt/Application.h"
#include "app/qt/Unit1.h"
#include "dialogs/MessageDialog.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// `count` nodes: the root, then folders of `fanout` subfolders, three levels deep.
void FillTree(TTreeNodes& nodes, int count, int fanout, const std::string& stem) {
    TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
    int made = 1;
    for (int a = 0; made < count; ++a) {
        TTreeNode* first = nodes.AppendChild(root, stem + std::to_string(a));
        ++made;
        for (int b = 0; b < fanout && made < count; ++b) {
            TTreeNode* second = nodes.AppendChild(first, stem + std::to_string(b));
            ++made;
            for (int c = 0; c < fanout && made < count; ++c, ++made)
                nodes.AppendChild(second, stem + std::to_string(c));
        }
    }
}

void Measure(TForm1& form, int count, int fanout, const std::string& stem) {
    form.TreeView1->Items().ClearNodes();
    FillTree(form.TreeView1->Items(), count, fanout, stem);
    ScriptedMessageDialogs dialogs;
    dialogs.AnswerNext(mrYes);
    const auto start = std::chrono::steady_clock::now();
    form.MnuMemo->trigger();
    const double memo = Seconds(std::chrono::steady_clock::now() - start);
    const std::string text = form.Memo1->FullText();

    QPlainTextEdit plain;
    const QString same = ToQString(text);
    const auto plainStart = std::chrono::steady_clock::now();
    plain.setPlainText(same);
    const double peer = Seconds(std::chrono::steady_clock::now() - plainStart);

    std::printf(
        "%8d nodes: memo %.3f s (%zu bytes%s); plain QPlainTextEdit::setPlainText of that text %.3f s; ratio %.2f\n",
        count, memo, text.size(), text.size() >= 2097150 ? ", cut at the limit" : "", peer, memo / peer);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(application);
    TForm1 form;
    form.show();
    Measure(form, 100000, 46, "dir");       // about 1.3 MB: fits
    Measure(form, 1000000, 100, "folder");  // far past 2 MB
    return 0;
}
