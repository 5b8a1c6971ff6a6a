#include "doubles/FakeFileSystem.h"

#include <algorithm>

#include "platform/Attributes.h"
#include "sjis/Cp932.h"

namespace platform {

struct FakeFileSystem::Entry {
    std::string name;
    std::uint32_t attributes = 0;
    std::vector<std::unique_ptr<Entry>> children;

    Entry* Child(std::string_view childName) {
        for (auto& child : children)
            if (child->name == childName) return child.get();
        return nullptr;
    }
};

namespace {

// Calls `visit` with each name of a path, split at each "\\" that is a character of its own.
template <typename Visit>
void ForEachName(std::string_view path, Visit visit) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && sjis::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
        } else if (i == path.size() || path[i] == '\\') {
            // A path may end with its separator.
            if (i > start || i < path.size()) visit(path.substr(start, i - start));
            start = i + 1;
        }
    }
}

std::vector<std::string> Split(std::string_view path) {
    std::vector<std::string> names;
    ForEachName(path, [&](std::string_view name) { names.emplace_back(name); });
    return names;
}

class FakeListing final : public FolderListing {
public:
    struct Item {
        std::uint32_t attributes;
        std::string name;
    };
    explicit FakeListing(std::vector<Item> items) : items_(std::move(items)) {}
    bool Next(ListingEntry& entry) override {
        if (next_ == items_.size()) return false;
        entry.attributes = items_[next_].attributes;
        entry.nativeName = items_[next_].name;
        ++next_;
        return true;
    }

private:
    std::vector<Item> items_;
    std::size_t next_ = 0;
};

}  // namespace

FakeFileSystem::FakeFileSystem() : top_(std::make_unique<Entry>()) {}
FakeFileSystem::~FakeFileSystem() = default;

FakeFileSystem::Entry* FakeFileSystem::Find(std::string_view path) {
    Entry* entry = top_.get();
    ForEachName(path, [&](std::string_view name) { entry = entry ? entry->Child(name) : nullptr; });
    return entry;
}

FakeFileSystem::Entry& FakeFileSystem::Add(std::string_view path, std::uint32_t attributes) {
    Entry* entry = top_.get();
    for (const std::string& name : Split(path)) {
        Entry* child = entry->Child(name);
        if (!child) {
            entry->children.push_back(std::make_unique<Entry>());
            child = entry->children.back().get();
            child->name = name;
            child->attributes = faDirectory;
        }
        entry = child;
    }
    entry->attributes = attributes;
    return *entry;
}

void FakeFileSystem::AddFolder(std::string_view path, std::uint32_t attributes) { Add(path, attributes | faDirectory); }

void FakeFileSystem::AddFile(std::string_view path, std::uint32_t attributes) {
    Add(path, attributes & ~std::uint32_t(faDirectory));
}

bool FakeFileSystem::Remove(std::string_view path) {
    std::vector<std::string> names = Split(path);
    if (names.empty()) return false;
    const std::string last = names.back();
    names.pop_back();
    Entry* parent = top_.get();
    for (const std::string& name : names)
        if (!(parent = parent->Child(name))) return false;
    auto& siblings = parent->children;
    const auto found = std::find_if(siblings.begin(), siblings.end(), [&](const auto& e) { return e->name == last; });
    if (found == siblings.end()) return false;
    siblings.erase(found);
    return true;
}

bool FakeFileSystem::Rename(std::string_view path, std::string_view newName) {
    Entry* entry = Find(path);
    if (!entry) return false;
    entry->name = newName;
    return true;
}

std::optional<std::uint32_t> FakeFileSystem::Attributes(const std::string& nativePath) {
    const Entry* entry = Find(nativePath);
    if (!entry || entry == top_.get()) return std::nullopt;
    return entry->attributes;
}

std::unique_ptr<FolderListing> FakeFileSystem::List(const std::string& nativeFolder, std::uint32_t filter) {
    listed.push_back(nativeFolder);
    if (onList) onList(nativeFolder);
    const Entry* folder = Find(nativeFolder);
    if (!folder || folder == top_.get() || !(folder->attributes & faDirectory)) return nullptr;
    std::vector<FakeListing::Item> items;
    if (folder->name.find(':') == std::string::npos) {  // below a drive's root
        items.push_back({faDirectory, "."});
        items.push_back({faDirectory, ".."});
    }
    const std::uint32_t skipped = (faHidden | faSystem | faVolumeLabel) & ~filter;
    const bool foldersOnly = filter & kFoldersOnly;
    for (const auto& child : folder->children)
        if (!(child->attributes & skipped) && (!foldersOnly || (child->attributes & faDirectory)))
            items.push_back({child->attributes, child->name});
    if (items.empty()) return nullptr;  // like FindFirstFile finding nothing
    return std::make_unique<FakeListing>(std::move(items));
}

std::string FakeFileSystem::SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) {
    std::string path = nativeFolder;
    path += nativeName;
    path += '\\';
    return path;
}

}  // namespace platform
