#pragma once
#include <chrono>
#include <string>

#include "platform/FolderReader.h"

namespace platform {

// Reads Windows folders for the read-ahead by their paths (ReadFolder), each built from the
// path kept for a folder above it. A share (a network drive, a UNC folder) is read by the
// whole pool from the first listing: each of its listings is a round trip to the server.
class Win32FolderReader final : public FolderReader {
public:
    explicit Win32FolderReader(std::string nativeRoot);

    FolderRead Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t filter, bool keepPlace,
                    const std::atomic<bool>& stop) override;
    std::unique_ptr<ListingWatch> Watch() override;
    bool Remote() const override { return remote_; }
    const std::string& Root() const override { return root_; }

    // A listing that takes longer than this and keeps the thread off the processor for most
    // of it waited for its file system.
    static constexpr std::chrono::microseconds kSlowRead{1000};

private:
    std::string root_;  // ending with "\"
    bool remote_;
};

// Whether a folder lies on a share: a UNC path, or a drive the system calls remote.
bool OnShare(const std::string& nativeFolder);

}  // namespace platform
