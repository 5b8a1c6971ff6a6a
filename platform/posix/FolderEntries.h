#pragma once
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One folder's entries as its listing returns them: read to the end, the ones the attribute
// filter skips left out, "." and ".." first and the rest in name order (NameOrder.h), as an
// NTFS folder lists them.
class FolderEntries {
public:
    struct Entry {
        std::uint32_t nameAt = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t attributes = 0;
        bool utf8 = true;
    };

    // Reads the folder open at `folderFd` from where its descriptor stands. An error part-way
    // ends the listing with what was read; so does `stop` turning true between reads.
    // At the root of "/" the kernel's pseudo-file-system areas read as system folders.
    static FolderEntries Read(int folderFd, std::span<char> buffer, std::uint32_t filter, bool systemRoot,
                              const std::atomic<bool>* stop = nullptr);

    std::size_t Count() const { return entries_.size(); }
    std::uint32_t Attributes(std::size_t i) const { return entries_[i].attributes; }
    std::string_view Name(std::size_t i) const { return {names_.data() + entries_[i].nameAt, entries_[i].nameLength}; }
    // Heap bytes held.
    std::size_t Bytes() const { return entries_.capacity() * sizeof(Entry) + names_.capacity(); }

private:
    void Add(std::string_view name, std::uint32_t attributes);
    void Sort();

    std::vector<Entry> entries_;
    std::string names_;  // every name followed by a zero byte
};

}  // namespace platform
