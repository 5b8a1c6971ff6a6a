#pragma once
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// Walks a Windows folder by paths, each listing read whole by ReadFolder. A folder that
// stands for another name (faLink in its parent's listing: a junction, a symbolic link, a
// mount point) is entered but lists nothing, as links and other file systems' mount points
// are not entered on Linux: a junction to a folder above cannot make the walk go round.
class Win32FolderWalk final : public FolderWalk {
public:
    explicit Win32FolderWalk(std::string nativeFolder);

    void Enter(std::string_view nativeName) override;
    void Leave() override;
    std::unique_ptr<FolderListing> List(std::uint32_t filter) override;

private:
    struct Level {
        std::size_t pathLength = 0;  // the parent's path is the first pathLength bytes
        bool link = false;
        std::vector<std::string> links;  // this folder's entries that are links
    };

    std::string path_;  // the current folder's, ending with "\"
    std::vector<Level> levels_;
};

}  // namespace platform
