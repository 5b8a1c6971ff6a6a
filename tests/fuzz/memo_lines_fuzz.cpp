// The editor's line list on short texts: operations drawn from the input run on a real
// TMemo beside a model of the bytes it should hold (fuzz/support/MemoRun.h).
#include <cstdint>

#include "fuzz/support/MemoRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoApplication();
    fuzz::FuzzInput input(data, size);
    fuzz::MemoRun run(input, 0);
    while (!input.Empty()) run.Step();
    run.CheckWhole();
    return 0;
}
