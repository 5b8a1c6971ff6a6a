// Saving a 2 MB text as .txt and as an HTML page, beside a plain write() of the same
// bytes (with and without fsync) as the peers; with Qt also from the real editor, as the
// save command does it. Usage: save_bench [folder]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "save/HtmlPage.h"
#include "save/SavePath.h"
#include "save/TextFile.h"
#include "save/TextLines.h"

#ifdef ORVALE_SAVE_BENCH_EDITOR
#include <QApplication>

#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"
#endif

namespace {

constexpr std::size_t kTextBytes = 2097152;
constexpr int kRounds = 11;

// Tree-text-like lines: box pieces (code page 932) and a folder name, CR LF after each.
std::vector<std::string> MakeLines() {
    std::vector<std::string> lines;
    std::size_t total = 0;
    for (int i = 0; total < kTextBytes; ++i) {
        std::string line;
        for (int depth = 0; depth < i % 7; ++depth) line += "\x84\xA0\x81\x40";
        line += "\x84\xA5 folder_" + std::to_string(i);
        total += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

double MedianMs(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

void PlainWrite(const std::string& path, const std::string& bytes, bool sync) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) std::perror("write");
    if (sync) fsync(fd);
    close(fd);
}

}  // namespace

#ifdef ORVALE_SAVE_BENCH_EDITOR
// The writers fed from the editor pane holding the text, as TForm1 feeds them.
void MeasureFromEditor(const std::string& text, const save::SavePath& txt, const save::SavePath& htm, double peer) {
    TMemo memo;
    memo.setPlainText(ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const double asText = MedianMs([&] { save::WriteTextFile(txt, memo.FullText()); });
    const double asHtml = MedianMs([&] {
        const std::string all = memo.FullText();
        const save::TextLines lines(all);
        save::WriteHtmlPage(htm, lines.Count(), [&](int i) { return lines.At(i); });
    });
    std::printf("editor .txt              %8.2f ms  (%.2fx write+fsync)  target < 50 ms\n", asText, asText / peer);
    std::printf("editor .htm              %8.2f ms  (%.2fx write+fsync)  target < 50 ms\n", asHtml, asHtml / peer);
}
#endif

int main(int argc, char** argv) {
#ifdef ORVALE_SAVE_BENCH_EDITOR
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    const std::filesystem::path folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
    const std::vector<std::string> lines = MakeLines();
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    const auto txt = save::SavePath::FromNative((folder / "orvale-bench.txt").string());
    const auto htm = save::SavePath::FromNative((folder / "orvale-bench.htm").string());
    const std::string peer = (folder / "orvale-bench-peer.txt").string();

    const double plain = MedianMs([&] { PlainWrite(peer, text, false); });
    const double plainSync = MedianMs([&] { PlainWrite(peer, text, true); });
    const double asText = MedianMs([&] { save::WriteTextFile(txt, text); });
    const double asHtml =
        MedianMs([&] { save::WriteHtmlPage(htm, int(lines.size()), [&](int i) { return lines[std::size_t(i)]; }); });

    std::printf("folder %s, %zu bytes in %zu lines, median of %d runs\n", folder.c_str(), text.size(), lines.size(),
                kRounds);
    std::printf("peer  write()            %8.2f ms\n", plain);
    std::printf("peer  write()+fsync      %8.2f ms\n", plainSync);
    std::printf("save  .txt               %8.2f ms  (%.2fx write+fsync)  target < 50 ms\n", asText, asText / plainSync);
    std::printf("save  .htm               %8.2f ms  (%.2fx write+fsync)  target < 50 ms\n", asHtml, asHtml / plainSync);
#ifdef ORVALE_SAVE_BENCH_EDITOR
    MeasureFromEditor(text, txt, htm, plainSync);
#endif
    for (const std::string& path : {txt.native, htm.native, peer}) std::filesystem::remove(path);
    return 0;
}
