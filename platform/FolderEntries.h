#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Attributes.h"

namespace platform {

// One folder's entries as its listing returns them: read to the end, the ones the attribute
// filter skips left out, "." and ".." first and the rest in name order (NameOrder.h), as an
// NTFS folder lists them. Each system's reader adds the entries and sorts them once.
class FolderEntries {
public:
    struct Entry {
        std::uint32_t nameAt = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t attributes = 0;
        bool utf8 = true;
    };

    // Adds an entry in the order read; Sort puts them in listing order.
    void Add(std::string_view name, std::uint32_t attributes);
    void Sort();
    // Room for `count` entries whose names take `nameBytes`, taken at once.
    void Reserve(std::size_t count, std::size_t nameBytes);

    std::size_t Count() const { return entries_.size(); }
    std::uint32_t Attributes(std::size_t i) const { return entries_[i].attributes; }
    std::string_view Name(std::size_t i) const { return {names_.data() + entries_[i].nameAt, entries_[i].nameLength}; }
    // A folder other than "." and "..": one the walk goes into.
    bool IsSubfolder(std::size_t i) const {
        const std::string_view name = Name(i);
        return (Attributes(i) & faDirectory) && name != "." && name != "..";
    }
    bool HasSubfolders() const;
    // Heap bytes held.
    std::size_t Bytes() const { return entries_.capacity() * sizeof(Entry) + names_.capacity(); }

private:
    std::vector<Entry> entries_;
    std::string names_;  // every name followed by a zero byte
};

}  // namespace platform
