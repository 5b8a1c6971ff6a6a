#include "bench/Contest.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace bench {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<double> BestOfRounds(int rounds, const std::vector<std::function<void()>>& contestants) {
    std::vector<double> best(contestants.size(), 1e9);
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < contestants.size(); ++i) best[i] = std::min(best[i], Seconds(contestants[i]));
    return best;
}

long BareWalk(const std::string& root, const std::function<void(const std::string& path)>& visit) {
    struct Entry {
        std::uint64_t ino;
        std::int64_t off;
        unsigned short reclen;
        unsigned char type;
        char name[1];
    };
    static std::vector<char> buffer(64 * 1024);
    long folders = 1;
    std::string path = root;
    std::function<void(int)> walk = [&](int fd) {
        for (;;) {
            const long got = syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
            if (got <= 0) break;
            std::vector<std::string> below;
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const Entry*>(buffer.data() + at);
                at += entry->reclen;
                const std::string_view name = entry->name;
                if (entry->type != DT_DIR || name == "." || name == "..") continue;
                below.emplace_back(name);
            }
            for (const std::string& name : below) {
                const int child = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child < 0) continue;
                ++folders;
                const std::size_t length = path.size();
                path += '/';
                path += name;
                if (visit) visit(path);
                walk(child);
                path.resize(length);
                close(child);
            }
        }
    };
    const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (visit) visit(path);
    walk(fd);
    close(fd);
    return folders;
}

std::function<void()> Command(const std::string& line) {
    return [line] {
        if (std::system((line + " >/dev/null 2>&1").c_str()) != 0) std::fprintf(stderr, "failed: %s\n", line.c_str());
    };
}

}  // namespace bench
