#pragma once
// Reads choices out of a fuzzer's input, front to back. Once the input is used up every
// read gives zero, so any input, however short, decodes to some run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    std::size_t Left() const { return size_ - pos_; }

    std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }
    // Little-endian, from as many bytes as are left.
    std::uint32_t Number(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= std::uint32_t(Byte()) << (8 * i);
        return value;
    }
    // 0 .. bound - 1; bound must be above 0.
    std::uint32_t Below(std::uint32_t bound) { return Number(bound <= 0x100 ? 1 : bound <= 0x10000 ? 2 : 4) % bound; }
    bool Flag() { return (Byte() & 1) != 0; }

    // A length below `bound` from one byte (or two for bounds past 256), then that many bytes.
    std::string Text(std::size_t bound) {
        const std::size_t length = Below(std::uint32_t(bound));
        const std::size_t taken = length < Left() ? length : Left();
        std::string text(reinterpret_cast<const char*>(data_ + pos_), taken);
        pos_ += taken;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_ + pos_), Left());
        pos_ = size_;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz
