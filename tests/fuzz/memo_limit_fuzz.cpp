// The editor's line list at its limit of 2,097,152 bytes: each run starts by taking the
// text near the limit, then goes on with operations drawn from the input, as in
// memo_lines, on a real TMemo beside a model of the bytes it should hold.
#include <cstdint>

#include "fuzz/support/MemoRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoApplication();
    fuzz::FuzzInput input(data, size);
    fuzz::MemoRun run(input, 2);
    run.AppendLarge();
    while (!input.Empty()) run.Step();
    run.CheckWhole();
    return 0;
}
