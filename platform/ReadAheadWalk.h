#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/FolderPrefetcher.h"
#include "platform/FolderReader.h"

namespace platform {

// A walk whose listings a pool of threads reads ahead (FolderPrefetcher), through a
// system's FolderReader. It lists the same folders in the same order as a walk reading
// alone, each once, and waits for none where a stop cannot reach it. Where the read-ahead
// has nothing for it (a folder listed twice, another filter, a folder the system would not
// open for want of resources) it reads the folder itself, from the root.
class ReadAheadWalk final : public FolderWalk {
public:
    ReadAheadWalk(std::shared_ptr<FolderReader> reader, ReadAheadLimits limits);

    void Enter(std::string_view nativeName) override;
    void Leave() override;
    std::unique_ptr<FolderListing> List(std::uint32_t filter) override;
    void WatchForStop(std::function<bool()> stopAsked) override { stopAsked_ = std::move(stopAsked); }

    // The most heap the read-ahead held at any moment, in bytes.
    std::size_t PeakBytes() const { return prefetcher_.PeakBytes(); }

private:
    std::shared_ptr<FolderReader> reader_;
    FolderPrefetcher prefetcher_;
    // The read-ahead's folders along the current path; nullptr where it has none.
    std::vector<FolderPrefetcher::Folder*> path_;
    // The names along the current path below the root: the first depth_ of them.
    std::vector<std::string> names_;
    std::size_t depth_ = 0;
    std::function<bool()> stopAsked_;
};

}  // namespace platform
