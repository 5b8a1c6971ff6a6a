#!/usr/bin/env bash
# Fuzzes Orvale's rules: builds the targets of tests/fuzz/ as libFuzzer programs with clang,
# the address and undefined-behaviour sanitizers in build-fuzz/, and runs each for the
# given number of seconds (default 60), one after the other, starting from its stored
# corpus. Usage: scripts/fuzz.sh [seconds] [target...]
#
# Inputs that reach new code collect in build-fuzz/corpus/<target>/. Small ones that add
# coverage to the stored corpus (tests/fuzz/corpus/<target>/) are merged into it, as long
# as the stored corpus stays small; commit them if they are worth keeping. On a finding
# the script stops with a non-zero status and prints the crashing input's file: fix the
# fault, then keep the input in the stored corpus so that the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
shift || true
build=$root/build-fuzz
# What the stored corpus may grow to by merging, per target.
merge_max_bytes=256
corpus_max_files=16
corpus_max_bytes=6000

scripts/install-packages.sh clang libclang-rt-14-dev

all_targets=()
for source in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  all_targets+=("$name")
done
targets=("$@")
((${#targets[@]})) || targets=("${all_targets[@]}")

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVALE_FUZZ=ON -DORVALE_SANITIZE=ON -DORVALE_TESTS=OFF -DORVALE_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}

bytes_of() { find "$1" -maxdepth 1 -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }'; }
files_of() { find "$1" -maxdepth 1 -type f | wc -l; }

# Adds the small new inputs that bring coverage to the stored corpus, smallest first,
# while it stays within its bounds. Arguments: target, program, extra libFuzzer flags.
merge_small() {
  local name=$1 program=$2 stored=$root/tests/fuzz/corpus/$1 work=$build/merge/$1
  shift 2
  rm -rf "$work" && mkdir -p "$work/small" "$work/new"
  find "$build/corpus/$name" -maxdepth 1 -type f -size -$((merge_max_bytes + 1))c -exec cp {} "$work/small" \;
  ls "$stored" | sort >"$work/before"
  "$program" -merge=1 "$@" "$stored" "$work/small" >"$build/logs/$name.merge.log" 2>&1 || true
  comm -13 "$work/before" <(ls "$stored" | sort) | while read -r file; do mv "$stored/$file" "$work/new/"; done
  local added=0 file most_files=$corpus_max_files
  # Each input of the limit target costs the test suite's replay about a second.
  [[ $name == memo_limit ]] && most_files=6
  while read -r file; do
    local size
    size=$(stat -c %s "$work/new/$file")
    if (($(files_of "$stored") + 1 > most_files || $(bytes_of "$stored") + size > corpus_max_bytes)); then
      break
    fi
    mv "$work/new/$file" "$stored/"
    added=$((added + 1))
  done < <(ls -Sr "$work/new")
  echo "$name: $added small input(s) merged into tests/fuzz/corpus/$name"
}

mkdir -p "$build/logs"
status=0
for name in "${targets[@]}"; do
  program=$build/tests/fuzz/fuzz_$name
  findings=$build/findings/$name
  mkdir -p "$build/corpus/$name" "$findings"
  echo "== $name: fuzzing for $seconds s"
  log=$build/logs/$name.log
  flags=()
  # Qt and fontconfig fill caches during a run, which would set off a leak search after
  # every input; leaks are still looked for when the run ends.
  [[ $name == memo_lines ]] && flags+=(-detect_leaks=0)
  set +e
  "$program" "$build/corpus/$name" "$root/tests/fuzz/corpus/$name" -max_total_time="$seconds" -timeout=60 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" "${flags[@]}" >"$log" 2>&1
  result=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?')
  echo "$name: $runs executions"
  if ((result != 0)); then
    crash=$(grep -o 'Test unit written to .*' "$log" | tail -n 1 | sed 's/Test unit written to //')
    grep -E 'rule broken|ERROR: |runtime error|SUMMARY' "$log" | head -n 5 || true
    echo "$name: FINDING (status $result); input: ${crash:-see $log}; log: $log"
    status=1
    break
  fi
  merge_small "$name" "$program" "${flags[@]}"
done
exit $status
