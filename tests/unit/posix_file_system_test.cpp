// Linux folders as the scan sees them, on real temporary folders.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "doubles/FakeDesktop.h"
#include "platform/Attributes.h"
#include "platform/posix/PosixDriveSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "sjis/Cp932.h"
#include "tree/FolderScan.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"

namespace {

namespace fs = std::filesystem;

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

// Runs `body` in a child process and gives its exit code (skipped: 77).
int InChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

class PosixScanTest : public ::testing::Test {
protected:
    PosixScanTest() {
        // A RAM file system where there is one: thousands of folders come and go quickly there.
        std::string pattern =
            (fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") + std::string("/orvale-posix-XXXXXX");
        root = mkdtemp(pattern.data());
        chmod(root.c_str(), 0755);
    }
    ~PosixScanTest() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(root, ignored))
            if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::all, ignored);
        fs::remove_all(root, ignored);
    }

    void Folder(const std::string& relative) { fs::create_directories(root + "/" + relative); }
    void File(const std::string& relative) { close(open((root + "/" + relative).c_str(), O_CREAT | O_WRONLY, 0644)); }

    void Scan() { FolderScan(nodes, files, desktop, interrupted).Run("c:\\", root + "/"); }

    // The texts of a node's children, found by a path of texts from the root.
    std::multiset<std::string> Children(const std::vector<std::string>& textPath = {}) {
        const TTreeNode* node = Walk(textPath);
        std::multiset<std::string> texts;
        for (const TTreeNode* child = node ? node->FirstChild() : nullptr; child; child = child->NextSibling())
            texts.insert(child->Text());
        return texts;
    }
    const TTreeNode* Walk(const std::vector<std::string>& textPath) {
        const TTreeNode* node = nodes.FirstNode();
        for (const std::string& text : textPath) {
            const TTreeNode* child = node ? node->FirstChild() : nullptr;
            while (child && child->Text() != text) child = child->NextSibling();
            node = child;
        }
        return node;
    }

    std::string root;
    platform::PosixDriveSystem drives;
    platform::PosixFileSystem files;
    platform::FakeDesktop desktop;
    TTreeNodes nodes;
    bool interrupted = true;
};

TEST_F(PosixScanTest, FoldersOnlyDotNamesKeptLinksNeitherListedNorFollowed) {
    Folder("a/a1");
    Folder("b");
    Folder(".config/inner");
    File("file.txt");
    symlink((root + "/a").c_str(), (root + "/link").c_str());
    symlink("/nonexistent", (root + "/dangling").c_str());
    Scan();
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(Children(), (std::multiset<std::string>{"a", "b", ".config"}));
    EXPECT_EQ(Children({"a"}), std::multiset<std::string>{"a1"});
    EXPECT_EQ(Children({".config"}), std::multiset<std::string>{"inner"});
    EXPECT_EQ(nodes.NodeCount(), 6);
    // Every returned entry after the first costs a poll: "." and ".." count like any other
    // entry (the file and the link are passed over inside the listing), so the polls
    // outnumber the folders.
    EXPECT_GT(desktop.polls, nodes.NodeCount());
}

TEST_F(PosixScanTest, AwkwardNamesAreShownInCodePage932AndTheirSubfoldersFound) {
    const std::string longName(255, 'n');
    const std::vector<std::string> names = {"line\nbreak", "cr\r",        "tab\t",       "esc\x1B[31m", "del\x7F",
                                            "<&>",         "bad\xFF\xFE", "caf\xC3\xA9", "日本",        longName};
    for (const std::string& name : names) Folder(name + "/sub");
    Scan();
    const std::multiset<std::string> expected = {"line?break", "cr?",   "tab?", "esc?[31m",         "del?",
                                                 "<&>",        "bad??", "caf?", "\x93\xFA\x96\x7B", longName};
    EXPECT_EQ(Children(), expected);
    // Shown with "?" but reached by the native name: the subfolders are there.
    for (const std::string& shown : expected) EXPECT_EQ(Children({shown}), std::multiset<std::string>{"sub"}) << shown;
    EXPECT_EQ(Walk({"caf?"})->NativeName(), "caf\xC3\xA9");
    EXPECT_EQ(Walk({"line?break"})->NativeName(), "line\nbreak");
}

TEST_F(PosixScanTest, UnreadableFolderGetsNoChildrenAndTheScanGoesOn) {
    Folder("closed/inside");
    Folder("open/inside");
    chmod((root + "/closed").c_str(), 0);
    // The superuser reads everything; an ordinary user is needed to be refused.
    const int result = InChild([&] {
        if (setgid(65534) != 0 || setuid(65534) != 0) return 77;
        Scan();
        if (interrupted) return 1;
        if (Children() != std::multiset<std::string>{"closed", "open"}) return 2;
        if (!Children({"closed"}).empty()) return 3;
        return Children({"open"}) == std::multiset<std::string>{"inside"} ? 0 : 4;
    });
    if (result == 77) GTEST_SKIP() << "cannot change to an ordinary user";
    EXPECT_EQ(result, 0);
}

TEST_F(PosixScanTest, AnotherFileSystemsMountPointIsListedButNotEntered) {
    Folder("mnt");
    Folder("plain/inside");
    const int result = InChild([&] {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 77;
        if (mount("orvale", (root + "/mnt").c_str(), "tmpfs", 0, nullptr) != 0) return 77;
        Folder("mnt/hidden-by-the-rule");
        Scan();
        if (Children() != std::multiset<std::string>{"mnt", "plain"}) return 1;
        if (!Children({"mnt"}).empty()) return 2;
        if (Children({"plain"}) != std::multiset<std::string>{"inside"}) return 3;
        // A drive whose file system is still mounted is ready; the folder below is not a drive.
        if (!DriveIsReady(files, root + "/mnt/")) return 4;
        umount((root + "/mnt").c_str());
        return DriveIsReady(files, root + "/mnt/") ? 5 : 0;
    });
    if (result == 77) GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(result, 0);
}

TEST_F(PosixScanTest, PseudoFileSystemAreasOfTheRootAreSystemFolders) {
    std::set<std::string> listed;
    auto listing = files.List("/", platform::kFolderScanFilter);
    ASSERT_TRUE(listing);
    platform::ListingEntry entry;
    while (listing->Next(entry)) listed.insert(std::string(entry.nativeName));
    for (const char* area : {"proc", "sys", "dev", "run"}) EXPECT_EQ(listed.count(area), 0u) << area;
    EXPECT_EQ(listed.count("tmp"), 1u);
    EXPECT_EQ(listed.count(".."), 1u);
    // Below the root such names are ordinary.
    Folder("proc");
    Scan();
    EXPECT_EQ(Children(), std::multiset<std::string>{"proc"});
    EXPECT_TRUE(DriveIsReady(files, "/"));
    EXPECT_FALSE(DriveIsReady(files, root + "/"));  // a plain folder: no file system is mounted there
    EXPECT_FALSE(DriveIsReady(files, root + "/missing/"));
}

TEST_F(PosixScanTest, ChainDeeperThanAnyPathAndItsSideBranchesKeepDescriptorsInCheck) {
    constexpr int kDepth = 2500;  // far beyond PATH_MAX as a path
    const int before = OpenDescriptors();
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < kDepth; ++i) {
        mkdirat(fd, "side", 0755);
        mkdirat(fd, "chain", 0755);
        const int next = openat(fd, "chain", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    close(fd);
    Scan();
    EXPECT_FALSE(interrupted);
    EXPECT_EQ(nodes.NodeCount(), 2 * kDepth + 1);
    int deepest = 0;
    for (const TTreeNode* node = nodes.FirstNode(); node; node = node->NextInOrder())
        deepest = std::max(deepest, node->Depth());
    EXPECT_EQ(deepest, kDepth);
    EXPECT_EQ(OpenDescriptors(), before);
    nodes.ClearNodes();

    // Removing it needs relative steps too: std::filesystem would build over-long paths.
    std::function<void(int)> removeBelow = [&](int dir) {
        int child = openat(dir, "chain", O_RDONLY | O_DIRECTORY);
        std::vector<int> stack;
        while (child >= 0) {
            stack.push_back(child);
            child = openat(child, "chain", O_RDONLY | O_DIRECTORY);
        }
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            unlinkat(*it, "side", AT_REMOVEDIR);
            const int parent = (it + 1 == stack.rend()) ? dir : *(it + 1);
            close(*it);
            unlinkat(parent, "chain", AT_REMOVEDIR);
        }
    };
    const int top = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    removeBelow(top);
    close(top);
}

}  // namespace
