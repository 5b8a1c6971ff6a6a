// A scan of real folders while another process keeps creating, renaming and removing
// folders in them: no crash, no hang, and every node was a real folder at some moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "platform/posix/PosixFileSystem.h"
#include "tree/FolderScan.h"
#include "tree/TTreeNodes.h"
#include "unit/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTop = 12, kBelow = 12;
constexpr int kChurnOperations = 400000;
constexpr auto kChurnTime = std::chrono::seconds(4);

std::string Fixed(int top, int below) {
    std::string path = "t" + std::to_string(top);
    if (below >= 0) path += "/s" + std::to_string(below);
    return path;
}

// Leaves with names of their own come and go under the fixed folders, and move between
// them; only leaves, so every path that ever was is one the churner wrote down first.
void Churn(const std::string& root, const std::string& log) {
    std::ofstream paths(log);
    std::mt19937 random(7);
    std::vector<std::string> leaves;
    const auto start = std::chrono::steady_clock::now();
    for (int op = 0; op < kChurnOperations && std::chrono::steady_clock::now() - start < kChurnTime; ++op) {
        const std::string parent = Fixed(int(random() % kTop), int(random() % (kBelow + 1)) - 1);
        const std::string fresh = parent + "/n" + std::to_string(op);
        const unsigned choice = leaves.empty() ? 0 : random() % 3;
        if (choice == 0) {
            paths << fresh << '\n' << std::flush;
            if (mkdir((root + "/" + fresh).c_str(), 0755) == 0) leaves.push_back(fresh);
        } else {
            const std::size_t which = random() % leaves.size();
            if (choice == 1) {
                paths << fresh << '\n' << std::flush;
                if (rename((root + "/" + leaves[which]).c_str(), (root + "/" + fresh).c_str()) == 0)
                    leaves[which] = fresh;
            } else if (rmdir((root + "/" + leaves[which]).c_str()) == 0) {
                leaves.erase(leaves.begin() + long(which));
            }
        }
    }
}

std::string NativePathOf(const TTreeNode* node) {
    std::string path;
    for (; node && node->ParentNode(); node = node->ParentNode()) path = "/" + node->NativeName() + path;
    return path.empty() ? path : path.substr(1);
}

TEST(PosixChurn, ScansWhileFoldersComeGoAndMoveSeeOnlyFoldersThatWere) {
    TempFolder folder;
    const std::string root = folder / "tree";
    fs::create_directory(root);
    const bool mounted = mount("tmpfs", root.c_str(), "tmpfs", 0, "size=64m") == 0;
    std::set<std::string> fixed;
    for (int top = 0; top < kTop; ++top)
        for (int below = -1; below < kBelow; ++below) {
            fs::create_directories(root + "/" + Fixed(top, below));
            fixed.insert(Fixed(top, below));
        }

    const std::string log = folder / "paths";
    const pid_t churner = fork();
    if (churner == 0) {
        Churn(root, log);
        _exit(0);
    }
    platform::PosixFileSystem files;
    platform::FakeDesktop desktop;
    std::vector<std::set<std::string>> seen;
    int status = 0;
    while (waitpid(churner, &status, WNOHANG) == 0) {
        TTreeNodes nodes;
        bool interrupted = false;
        FolderScan(nodes, files, desktop, interrupted).Run("c:\\", root + "/");
        EXPECT_FALSE(interrupted);
        std::set<std::string>& paths = seen.emplace_back();
        for (const TTreeNode* node = nodes.FirstNode()->NextInOrder(); node; node = node->NextInOrder())
            EXPECT_TRUE(paths.insert(NativePathOf(node)).second) << "listed twice: " << NativePathOf(node);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::set<std::string> everWere = fixed;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) everWere.insert(line);
    EXPECT_GE(seen.size(), 2u) << "the churn ended before two scans were done";
    for (const std::set<std::string>& paths : seen) {
        for (const std::string& path : fixed)
            EXPECT_TRUE(paths.count(path)) << "a folder that stayed was missed: " << path;
        for (const std::string& path : paths) EXPECT_TRUE(everWere.count(path)) << "never a folder: " << path;
    }
    if (mounted) umount2(root.c_str(), MNT_DETACH);
}

}  // namespace
