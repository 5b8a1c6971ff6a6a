#pragma once
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

// A walk for file systems addressed only by paths: it keeps the current path and lists it.
class PathWalk final : public FolderWalk {
public:
    PathWalk(FileSystem& files, std::string nativeFolder) : files_(files), path_(std::move(nativeFolder)) {}
    void Enter(std::string_view nativeName) override;
    void Leave() override;
    std::unique_ptr<FolderListing> List(std::uint32_t filter) override;

private:
    FileSystem& files_;
    std::string path_;
    std::vector<std::size_t> parentLengths_;
};

}  // namespace platform
