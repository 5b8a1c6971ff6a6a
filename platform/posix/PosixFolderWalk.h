#pragma once
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// Walks a drive keeping open descriptors along the current path, so that every folder is
// opened relative to its parent. Another file system's mount point, a symbolic link and a
// folder that cannot be opened all list nothing. Only a window of the deepest levels and
// every kCheckpoint-th level stay open, so a very deep chain cannot use up descriptors.
class PosixFolderWalk final : public FolderWalk {
public:
    explicit PosixFolderWalk(std::string nativeRoot);
    ~PosixFolderWalk() override;
    PosixFolderWalk(const PosixFolderWalk&) = delete;
    PosixFolderWalk& operator=(const PosixFolderWalk&) = delete;

    void Enter(std::string_view nativeName) override;
    void Leave() override;
    std::unique_ptr<FolderListing> List(std::uint32_t filter) override;

    static constexpr std::size_t kWindow = 32;
    static constexpr std::size_t kCheckpoint = 32;

private:
    struct Level {
        std::string name;
        int fd = -1;
        bool failed = false;
        bool listed = false;
    };
    int Fd(std::size_t level);
    int OpenChild(int parentFd, const std::string& name);
    void Close(Level& level);

    std::string root_;
    std::vector<Level> levels_;
    std::vector<char> buffer_;
    unsigned long rootDevice_ = 0;
};

}  // namespace platform
