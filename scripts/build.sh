#!/usr/bin/env bash
# Configures and builds Orvale in build/ (the program, and the tests when asked).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${ORVALE_BUILD_DIR:-build}
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)" ${ORVALE_TARGET:+--target "$ORVALE_TARGET"}
