#!/usr/bin/env bash
# Configures and builds Orvale in build/ (the program, and the tests when asked), warnings
# as errors. Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${ORVALE_BUILD_DIR:-build}
# Configuring an existing build again only checks it, so the options always hold.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" ${ORVALE_TARGET:+--target "$ORVALE_TARGET"}
