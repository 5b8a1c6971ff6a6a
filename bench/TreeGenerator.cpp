#include "bench/TreeGenerator.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

// A small fixed-seed generator, so that every run builds the same tree.
struct Random {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::uint32_t Next() {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return std::uint32_t(state >> 11);
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }
};

std::string Name(Random& random, int serial) {
    static const char* const kJapanese[] = {"写真", "書類", "表計算", "ダウンロード", "音楽"};
    std::string name;
    if (random.Below(10) == 0) name = kJapanese[random.Below(5)];
    const int letters = 2 + int(random.Below(14));
    for (int i = 0; i < letters; ++i) name += char('a' + random.Below(26));
    return name + "_" + std::to_string(serial);
}

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("cannot create " + what);
}

std::string Marker(const std::string& root) { return root + "/.orvale-bench"; }

}  // namespace

void GenerateTree(const std::string& root, int folders, int files) {
    const std::string stamp = std::to_string(folders) + " " + std::to_string(files);
    {
        std::ifstream marker(Marker(root));
        std::string line;
        if (std::getline(marker, line) && line == stamp) return;
    }
    RemoveTree(root);
    mkdir(root.c_str(), 0755);
    Random random;
    std::vector<std::string> paths{root};
    // Each folder goes below a random earlier one: depth grows like the logarithm of the count.
    for (int i = 1; i < folders; ++i) {
        std::string path = paths[random.Below(std::uint32_t(paths.size()))] + "/" + Name(random, i);
        Check(mkdir(path.c_str(), 0755) == 0, path);
        paths.push_back(std::move(path));
    }
    for (int i = 0; i < files; ++i) {
        const std::string path = paths[random.Below(std::uint32_t(paths.size()))] + "/f" + std::to_string(i) + ".txt";
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        Check(fd >= 0, path);
        close(fd);
    }
    std::ofstream(Marker(root)) << stamp << "\n";
}

void GenerateChain(const std::string& root, int depth) {
    RemoveTree(root);
    Check(mkdir(root.c_str(), 0755) == 0, root);
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < depth; ++i) {
        Check(mkdirat(fd, "d", 0755) == 0, "chain link");
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    close(fd);
}

void GenerateWide(const std::string& root, int count) {
    RemoveTree(root);
    Check(mkdir(root.c_str(), 0755) == 0, root);
    const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < count; ++i) {
        std::string name = "w";  // appended, not "w" + ...: GCC 12's -Wrestrict misreads that at -O3
        name += std::to_string(i);
        Check(mkdirat(fd, name.c_str(), 0755) == 0, "wide folder");
    }
    close(fd);
}

namespace {

// Empties a folder; deep chains are followed with a loop, not a recursion.
void Empty(int fd) {
    struct Level {
        int fd;
        DIR* dir;
    };
    std::vector<Level> stack{{fd, fdopendir(dup(fd))}};
    while (!stack.empty()) {
        Level& top = stack.back();
        dirent* entry = top.dir ? readdir(top.dir) : nullptr;
        if (!entry) {
            if (top.dir) closedir(top.dir);
            if (stack.size() > 1) close(top.fd);
            stack.pop_back();
            // The parent's listing restarts: its entries moved under our feet.
            if (!stack.empty() && stack.back().dir) rewinddir(stack.back().dir);
            continue;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (unlinkat(top.fd, name.c_str(), 0) == 0) continue;
        if (unlinkat(top.fd, name.c_str(), AT_REMOVEDIR) == 0) continue;
        if (stack.size() > 1000) {
            // Descriptors run short on a deep chain: cut it and move the rest to the top,
            // where the top's listing comes to it later.
            static int cuts = 0;
            renameat(top.fd, name.c_str(), stack.front().fd, (".cut" + std::to_string(++cuts)).c_str());
            continue;
        }
        const int child = openat(top.fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) continue;
        stack.push_back({child, fdopendir(dup(child))});
    }
}

}  // namespace

void RemoveTree(const std::string& root) {
    // Repeated until gone: a chain deeper than the descriptor budget takes several rounds.
    for (int round = 0; round < 64; ++round) {
        const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            unlink(root.c_str());
            return;
        }
        Empty(fd);
        close(fd);
        if (rmdir(root.c_str()) == 0) return;
    }
}

}  // namespace bench
