#pragma once
// Memory held back for what comes after a scan that ran out of it: the error box, memo
// creation and the save must still work on the folders that were found. Held untouched,
// so it costs address space only.
#include <cstddef>
#include <memory>

class MemoryReserve {
public:
    explicit MemoryReserve(std::size_t bytes) : bytes_(bytes) { Renew(); }

    // Takes the reserve again if it was given back and can be had.
    void Renew() {
        if (!block_) block_.reset(new (std::nothrow) char[bytes_]);
    }
    // Gives it to whatever needs it next.
    void Release() { block_.reset(); }
    bool Held() const { return block_ != nullptr; }

private:
    std::size_t bytes_;
    std::unique_ptr<char[]> block_;
};
