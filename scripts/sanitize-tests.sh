#!/usr/bin/env bash
# Builds the unit and widget tests and the fuzz replay drivers with the address and
# undefined-behaviour sanitizers in build-asan/ (not the program, the end-to-end tests or
# the benchmarks) and runs them: any memory error, leak or undefined behaviour fails the
# test it happens in.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-asan

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALE_SANITIZE=ON -DORVALE_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target orvale_test_programs

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
cd "$build" && ctest --output-on-failure -j2 --timeout 600 -L 'unit|gui|fuzz'
