// The editor with a 2 MB text: filling it line by line, one keystroke, LineAt of the
// last line and FullText, beside a plain QPlainTextEdit holding the same text as the peer.
// Runs offscreen unless a display is asked for.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/qt/Application.h"
#include "sjis/qt/QtText.h"
#include "text/LineRules.h"
#include "text/qt/TMemo.h"

namespace {

constexpr int kKeystrokes = 200;

// Tree-text-like lines: box pieces (code page 932) and a folder name, just under the limit.
std::vector<std::string> MakeLines() {
    std::vector<std::string> lines;
    std::size_t total = 0;
    for (int i = 0;; ++i) {
        std::string line;
        for (int depth = 0; depth < i % 7; ++depth) line += "\x84\xA0\x81\x40";
        line += "\x84\xA5 folder_" + std::to_string(i);
        if (total + line.size() + 2 > linerules::kMaxLength - kKeystrokes * 4) break;
        total += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

double Ms(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double MedianMs(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) times.push_back(Ms(run));
    std::nth_element(times.begin(), times.begin() + 3, times.end());
    return times[3];
}

// Median time of one key press typed into the middle of the text, events processed after each.
double KeystrokeMs(QPlainTextEdit& editor) {
    QTextCursor cursor(editor.document()->findBlockByNumber(editor.document()->blockCount() / 2));
    editor.setTextCursor(cursor);
    std::vector<double> times;
    for (int i = 0; i < kKeystrokes; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        times.push_back(Ms([&] {
            QApplication::sendEvent(&editor, &press);
            QApplication::processEvents();
        }));
    }
    std::nth_element(times.begin(), times.begin() + kKeystrokes / 2, times.end());
    return times[kKeystrokes / 2];
}

void Row(const char* what, double ours, double peer) {
    std::printf("%-34s %10.3f ms %10.3f ms %8.2fx\n", what, ours, peer, peer > 0 ? ours / peer : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(application);

    const std::vector<std::string> lines = MakeLines();
    TMemo memo;
    QPlainTextEdit peer;
    peer.setFont(memo.font());
    peer.setLineWrapMode(QPlainTextEdit::NoWrap);
    for (QWidget* editor : {static_cast<QWidget*>(&memo), static_cast<QWidget*>(&peer)}) {
        editor->resize(500, 400);
        editor->show();
    }

    const double fillOurs = Ms([&] {
        for (const std::string& line : lines) memo.AppendLine(line);
    });
    const double fillPeer = Ms([&] {
        for (const std::string& line : lines) peer.appendPlainText(ToQString(line));
    });
    QApplication::processEvents();
    std::printf("text: %zu lines, %zu bytes\n\n", lines.size(), memo.Length());
    std::printf("%-34s %13s %13s %9s\n", "", "TMemo", "QPlainTextEdit", "ratio");
    Row("fill, AppendLine per line", fillOurs, fillPeer);
    Row("keystroke (median)", KeystrokeMs(memo), KeystrokeMs(peer));

    const int last = memo.LineCount() - 1;
    std::string lineAt;
    const double lineAtOurs = Ms([&] { lineAt = memo.LineAt(last); });
    QString peerLine;
    const double lineAtPeer = Ms([&] { peerLine = peer.document()->findBlockByNumber(last).text(); });
    Row("LineAt of the last line", lineAtOurs, lineAtPeer);

    std::string full;
    const double coldOurs = Ms([&] { full = memo.FullText(); });
    QString peerFull;
    const double coldPeer = Ms([&] { peerFull = peer.toPlainText(); });
    Row("FullText, first call", coldOurs, coldPeer);
    const double fullOurs = MedianMs([&] { full = memo.FullText(); });
    const double fullPeer = MedianMs([&] { peerFull = peer.toPlainText(); });
    Row("FullText, median (peer: toPlainText)", fullOurs, fullPeer);
    std::printf("\nFullText: %zu bytes; running count %s\n", full.size(),
                full.size() == memo.Length() ? "agrees" : "DISAGREES");
    return 0;
}
