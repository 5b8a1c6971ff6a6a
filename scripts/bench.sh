#!/usr/bin/env bash
# Builds the benchmarks (release build with -DORVALE_BENCH=ON, in build-bench/) and runs
# them. The scan benchmark compares against fd (Debian package fd-find), find and tree,
# installed here when missing; its cold rounds drop the kernel's caches, which needs root.
# Arguments: the benchmarks to run (default: all built), e.g. scripts/bench.sh scan_bench.
# ORVALE_BENCH_DIR: where the scan benchmark keeps its generated trees (default
# /tmp/orvale-bench; it must be on a disk, not tmpfs, for the cold rounds to mean anything).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh fd-find tree findutils
build_dir=${ORVALE_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALE_BENCH=ON -DORVALE_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

benches=("$@")
((${#benches[@]})) || benches=(scan_bench save_bench editor_bench memo_bench)
for bench in "${benches[@]}"; do
  [[ -x "$build_dir/bench/$bench" ]] || continue
  echo "== $bench"
  if [[ $bench == scan_bench ]]; then
    "$build_dir/bench/$bench" "${ORVALE_BENCH_DIR:-/tmp/orvale-bench}"
  else
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build_dir/bench/$bench"
  fi
done
