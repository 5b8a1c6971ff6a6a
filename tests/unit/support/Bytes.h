#pragma once
// Byte-exact expectations written as byte lists.
#include <initializer_list>
#include <string>

inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out.push_back(static_cast<char>(b));
    return out;
}
