#pragma once
// A broken rule ends the run with its description: libFuzzer keeps the input as a crash,
// the replay driver exits non-zero.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace fuzz {

inline void Require(bool holds, std::string_view rule) {
    if (holds) return;
    std::fprintf(stderr, "rule broken: %.*s\n", int(rule.size()), rule.data());
    std::abort();
}

}  // namespace fuzz
