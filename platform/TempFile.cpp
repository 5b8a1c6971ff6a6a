#include "platform/TempFile.h"

#include <random>
#include <string_view>

namespace platform {

std::string TempFile::RandomTag(std::size_t length) {
    static std::mt19937_64 engine{std::random_device{}()};
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tag(length, ' ');
    for (char& c : tag) c = kLetters[engine() % kLetters.size()];
    return tag;
}

}  // namespace platform
