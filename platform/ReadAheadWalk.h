#pragma once
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/posix/FolderPrefetcher.h"
#include "platform/posix/PosixFolderWalk.h"

namespace platform {

// A walk whose listings a pool of threads has read ahead (FolderPrefetcher). It lists the
// same folders in the same order as PosixFolderWalk, each once; wherever the read-ahead has
// nothing for it (a folder listed twice, another filter, a folder the system would not open
// for want of resources) it lists the folder itself as that walk does.
class ReadAheadWalk final : public FolderWalk {
public:
    ReadAheadWalk(std::string nativeRoot, ReadAheadLimits limits);

    void Enter(std::string_view nativeName) override;
    void Leave() override;
    std::unique_ptr<FolderListing> List(std::uint32_t filter) override;

    // The most heap the read-ahead held at any moment, in bytes.
    std::size_t PeakBytes() const { return prefetcher_.PeakBytes(); }

private:
    PosixFolderWalk plain_;
    FolderPrefetcher prefetcher_;
    // The read-ahead's folders along the current path; nullptr where it has none.
    std::vector<FolderPrefetcher::Folder*> path_;
};

}  // namespace platform
