#include "doubles/MemoryFolderReader.h"

#include <thread>

#include "platform/Attributes.h"

namespace platform {

struct MemoryFolderReader::Place final : ReadPlace {
    Place(MemoryFolderReader& reader, std::string folderPath) : owner(reader), path(std::move(folderPath)) {
        const std::lock_guard lock(owner.mutex_);
        ++owner.placesAlive_;
    }
    ~Place() override {
        const std::lock_guard lock(owner.mutex_);
        --owner.placesAlive_;
    }
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    MemoryFolderReader& owner;
    const std::string path;
};

namespace {

// Reads nothing from a disk: never waited.
struct NoWaits final : ListingWatch {
    bool Waited(std::chrono::steady_clock::duration) override { return false; }
};

std::string Join(std::string path, std::string_view name) {
    if (!path.empty()) path += '/';
    path += name;
    return path;
}

}  // namespace

void MemoryFolderReader::AddFolder(const std::string& path) {
    const std::lock_guard lock(mutex_);
    std::string parent;
    std::size_t from = 0;
    while (from <= path.size()) {
        const std::size_t cut = std::min(path.find('/', from), path.size());
        const std::string name = path.substr(from, cut - from);
        const std::string folder = Join(parent, name);
        if (!folders_.count(folder)) {
            folders_[folder];
            folders_[parent].push_back(name);
        }
        parent = folder;
        from = cut + 1;
    }
}

void MemoryFolderReader::Hold(const std::string& path) {
    const std::lock_guard lock(mutex_);
    held_ = path;
    holding_ = true;
}

void MemoryFolderReader::Release() {
    {
        const std::lock_guard lock(mutex_);
        holding_ = false;
    }
    released_.notify_all();
}

int MemoryFolderReader::HeldReads() const {
    const std::lock_guard lock(mutex_);
    return heldReads_;
}

int MemoryFolderReader::PlacesAlive() const {
    const std::lock_guard lock(mutex_);
    return placesAlive_;
}

std::vector<std::string> MemoryFolderReader::Reads() const {
    const std::lock_guard lock(mutex_);
    return reads_;
}

FolderRead MemoryFolderReader::Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t,
                                    bool keepPlace, const std::atomic<bool>&) {
    std::string path = base ? static_cast<const Place*>(base)->path : "";
    for (const std::string& name : names) path = Join(path, name);
    FolderRead read;
    std::vector<std::string> children;
    {
        std::unique_lock lock(mutex_);
        reads_.push_back(path);
        if (holding_ && path == held_) {
            ++heldReads_;
            released_.wait(lock, [&] { return !holding_; });
            --heldReads_;
        }
        const auto folder = folders_.find(path);
        if (folder == folders_.end()) return read;
        children = folder->second;
    }
    if (readTime.count()) std::this_thread::sleep_for(readTime);
    read.status = FolderRead::Status::kListed;
    read.entries.Add(".", faDirectory);
    read.entries.Add("..", faDirectory);
    for (const std::string& child : children) read.entries.Add(child, faDirectory);
    read.entries.Sort();
    if (keepPlace && !children.empty()) read.place = std::make_shared<const Place>(*this, path);
    return read;
}

std::unique_ptr<ListingWatch> MemoryFolderReader::Watch() { return std::make_unique<NoWaits>(); }

}  // namespace platform
