// orvale-tree on the generated 200,000-folder tree beside its peers, warm cache, all in one
// call: `orvale-tree -o x.txt`, `tree -d --charset=UTF-8 -o x.txt`, `find -type d`, the
// files too (`orvale-tree -f` beside `tree` and `find`), the
// window's own road (the scan handler, memo creation answered Yes, SaveAsText), and a bare
// getdents walk that writes each folder's path, the least any such program can do.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/qt/Application.h"
#include "app/qt/Unit1.h"
#include "bench/Contest.h"
#include "bench/TreeGenerator.h"
#include "dialogs/MessageDialog.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "save/SavePath.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

namespace {

using bench::BareWalk;
using bench::BestOfRounds;
using bench::Command;

constexpr int kFolders = 200000;
constexpr int kFiles = 400000;
constexpr int kRounds = 5;

// The bare walk writing one path a line into `target`, through stdio's buffer; with
// `sync`, put on disk before it counts as written, as the program's saves are.
void BareWalkWriting(const std::string& root, const std::string& target, bool sync) {
    std::FILE* out = std::fopen(target.c_str(), "wb");
    BareWalk(root, [out](const std::string& path) {
        std::fwrite(path.data(), 1, path.size(), out);
        std::fputs("\r\n", out);
    });
    std::fflush(out);
    if (sync) fsync(fileno(out));
    std::fclose(out);
}

// The window's road from a folder to a saved .txt: the scan handler's folder way in, memo
// creation with its question answered Yes, and the plain-text writer.
void WindowRoad(TForm1& form, const std::string& tree, const std::string& target) {
    form.ScanFolder(tree);
    ScriptedMessageDialogs dialogs;
    dialogs.AnswerNext(mrYes);
    form.MnuMemoClick(nullptr);
    form.SaveAsText(save::SavePath::FromNative(target));
}

long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? long(info.st_size) : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    unsetenv("DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(application);
    const std::string base = argc > 1 ? argv[1] : "/tmp/orvale-bench";
    const std::string tree = base + "/tree";
    const std::string program = ORVALE_TREE_PROGRAM;
    mkdir(base.c_str(), 0755);
    std::printf("generating %d folders and %d files under %s (kept for later runs)...\n", kFolders, kFiles,
                tree.c_str());
    std::fflush(stdout);
    bench::GenerateTree(tree, kFolders, kFiles);

    TForm1 form;
    form.show();
    const std::string out = base + "/out-";
    const long folders = BareWalk(tree, nullptr);  // warms the cache
    WindowRoad(form, tree, out + "window.txt");
    std::system((program + " -o " + out + "orvale-tree.txt " + tree).c_str());
    std::printf("folders: %ld; orvale-tree wrote %ld bytes, the window %ld (its editor stops at 2,097,152)\n\n",
                folders, FileSize(out + "orvale-tree.txt"), FileSize(out + "window.txt"));

    const std::vector<double> best =
        BestOfRounds(kRounds, {
                                  Command(program + " -o " + out + "orvale-tree.txt " + tree),
                                  Command(program + " --memo-limit -o " + out + "orvale-tree-limit.txt " + tree),
                                  Command("tree -d --charset=UTF-8 -o " + out + "tree.txt " + tree),
                                  Command("find " + tree + " -type d >" + out + "find.txt"),
                                  [&] { WindowRoad(form, tree, out + "window.txt"); },
                                  [&] { BareWalkWriting(tree, out + "bare.txt", false); },
                                  [&] { BareWalkWriting(tree, out + "bare-synced.txt", true); },
                                  [&] { BareWalk(tree, nullptr); },
                                  Command(program + " -f -o " + out + "orvale-tree-files.txt " + tree),
                                  Command("tree --charset=UTF-8 -o " + out + "tree-files.txt " + tree),
                                  Command("find " + tree + " >" + out + "find-files.txt"),
                              });
    const double orvaleTree = best[0], limited = best[1], treeCommand = best[2], find = best[3], window = best[4],
                 bare = best[5], bareSynced = best[6], bareNoWrite = best[7];
    const double orvaleFiles = best[8], treeFiles = best[9], findFiles = best[10];
    std::printf("best of %d rounds\n", kRounds);
    std::printf("orvale-tree -o x.txt DIR                 %8.3f s\n", orvaleTree);
    std::printf("orvale-tree --memo-limit -o x.txt DIR    %8.3f s\n", limited);
    std::printf("tree -d --charset=UTF-8 -o x.txt DIR     %8.3f s\n", treeCommand);
    std::printf("find DIR -type d >x.txt                  %8.3f s\n", find);
    std::printf("window: scan, memo (Yes), SaveAsText     %8.3f s\n", window);
    std::printf("bare getdents walk writing each path     %8.3f s\n", bare);
    std::printf("  the same, file synced to disk          %8.3f s\n", bareSynced);
    std::printf("  the same, writing nothing              %8.3f s\n", bareNoWrite);
    std::printf("orvale-tree -f -o x.txt DIR              %8.3f s\n", orvaleFiles);
    std::printf("tree --charset=UTF-8 -o x.txt DIR        %8.3f s\n", treeFiles);
    std::printf("find DIR >x.txt                          %8.3f s\n", findFiles);
    std::printf("tree -d / orvale-tree                    %8.2f   (target >= 3.00)\n", treeCommand / orvaleTree);
    std::printf("tree / orvale-tree -f                    %8.2f\n", treeFiles / orvaleFiles);
    std::printf("find / orvale-tree -f                    %8.2f\n", findFiles / orvaleFiles);
    std::printf("orvale-tree -f / orvale-tree             %8.2f\n", orvaleFiles / orvaleTree);
    std::printf("orvale-tree / bare walk writing          %8.2f   (target <= 1.20)\n", orvaleTree / bare);
    std::printf("orvale-tree / bare walk writing, synced  %8.2f\n", orvaleTree / bareSynced);
    std::printf("find / orvale-tree                       %8.2f\n", find / orvaleTree);
    std::printf("window / orvale-tree                     %8.2f\n", window / orvaleTree);
    return 0;
}
