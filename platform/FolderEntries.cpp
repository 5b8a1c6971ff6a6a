#include "platform/FolderEntries.h"

#include <algorithm>

#include "platform/NameOrder.h"

namespace platform {

namespace {

// "." and ".." come first, as Windows lists them.
int DotRank(std::string_view name) { return name == "." ? 0 : name == ".." ? 1 : 2; }

}  // namespace

void FolderEntries::Add(std::string_view name, std::uint32_t attributes) {
    entries_.push_back({std::uint32_t(names_.size()), std::uint32_t(name.size()), attributes, IsUtf8(name)});
    names_.append(name);
    names_.push_back('\0');
}

bool FolderEntries::HasSubfolders() const {
    for (std::size_t i = 0; i < Count(); ++i)
        if (IsSubfolder(i)) return true;
    return false;
}

void FolderEntries::Reserve(std::size_t count, std::size_t nameBytes) {
    entries_.reserve(count);
    names_.reserve(nameBytes + count);
}

void FolderEntries::Sort() {
    std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        const std::string_view nameA(names_.data() + a.nameAt, a.nameLength),
            nameB(names_.data() + b.nameAt, b.nameLength);
        const int rankA = DotRank(nameA), rankB = DotRank(nameB);
        if (rankA != rankB) return rankA < rankB;
        return CompareNames(nameA, a.utf8, nameB, b.utf8) < 0;
    });
}

}  // namespace platform
