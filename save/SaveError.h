#pragma once
#include <stdexcept>
#include <string>

namespace save {

// A failure while saving; the message is code page 932. The writers consume it.
class SaveError : public std::runtime_error {
public:
    explicit SaveError(const std::string& cp932) : std::runtime_error(cp932) {}
};

}  // namespace save
