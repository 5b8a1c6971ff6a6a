#pragma once
// A drive in memory for the read-ahead, read on the pool's threads like a real one. One
// folder's reads can be held until the test lets them go, as a share that stopped answering
// holds them.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/FolderReader.h"

namespace platform {

class MemoryFolderReader final : public FolderReader {
public:
    // A folder by its path below the root ("a/b"), with every folder above it.
    void AddFolder(const std::string& path);
    // Reads of `path` wait from now on until Release.
    void Hold(const std::string& path);
    void Release();
    // Reads waiting at the hold now.
    int HeldReads() const;
    // Places handed out and not yet let go.
    int PlacesAlive() const;
    // The paths read so far, in the order their reads began.
    std::vector<std::string> Reads() const;

    FolderRead Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t filter, bool keepPlace,
                    const std::atomic<bool>& stop) override;
    std::unique_ptr<ListingWatch> Watch() override;
    const std::string& Root() const override { return root_; }
    bool Remote() const override { return remote; }

    // Every read takes this long, as a share's round trip does; such a drive is remote.
    std::chrono::microseconds readTime{0};
    bool remote = false;

private:
    struct Place;

    const std::string root_ = "memory";
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::map<std::string, std::vector<std::string>> folders_{{"", {}}};
    std::string held_;
    bool holding_ = false;
    int heldReads_ = 0;
    int placesAlive_ = 0;
    std::vector<std::string> reads_;
};

}  // namespace platform
