#pragma once
#include <cstddef>
#include <span>

#include "platform/FileSystem.h"

namespace platform {

// Reads an open folder's entries in large batches straight from the kernel (getdents64).
// Symbolic links are left out; at the root of "/" the kernel's pseudo-file-system areas
// read as system folders. The folder's descriptor stays with the caller.
class PosixListing final : public FolderListing {
public:
    PosixListing(int folderFd, std::span<char> buffer, std::uint32_t filter, bool systemRoot);
    bool Next(ListingEntry& entry) override;

private:
    bool Fill();
    std::uint32_t AttributesOf(const char* name, unsigned char type) const;

    int fd_;
    std::span<char> buffer_;
    std::uint32_t skipped_;
    bool systemRoot_;
    std::size_t used_ = 0;
    std::size_t next_ = 0;
    bool ended_ = false;
};

}  // namespace platform
