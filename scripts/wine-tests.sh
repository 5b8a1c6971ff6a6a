#!/usr/bin/env bash
# The Windows half: cross-compiles the Qt-free core, the win32 backend, the window's
# handlers and the unit tests with MinGW-w64 into build-mingw/, and runs them under Wine
# with a Japanese locale (ANSI code page 932) through ctest. Installs what it needs when
# missing. Where Wine cannot be had or cannot start, it says "skipped" with the reason and
# exits 0; it never passes silently. Any other failure (build, tests) exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-mingw
prefix=$build/wineprefix

skip() {
  echo "Wine tests: skipped: $*"
  exit 0
}

packages=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine locales xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho python3)
scripts/install-packages.sh "${packages[@]}" || skip "could not install ${packages[*]}"

# Wine takes its ANSI code page from the Unix locale: ja_JP gives 932.
scripts/japanese-locale.sh || skip "could not generate the ja_JP.UTF-8 locale"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DORVALE_GUI=OFF -DORVALE_WERROR=ON >/dev/null
cmake --build "$build" -j2

# Make the prefix and see that a Windows program starts at all before running the tests.
if ! probe=$(timeout 300 tests/wine/wine-run.sh "$prefix" cmd /c echo started 2>&1) ||
   [[ $probe != *started* ]]; then
  skip "Wine does not start here: $(echo "$probe" | tail -n 3 | tr '\n' ' ')"
fi

# The Linux build's orvale-tree, when there is one, for the Windows one to be compared with.
native_tree=$root/${ORVALE_BUILD_DIR:-build}/cli/orvale-tree
if [[ -x $native_tree ]]; then export ORVALE_TREE_NATIVE=$native_tree; fi

status=0
if ! ctest --test-dir "$build" --output-on-failure -j2 --timeout 300; then
  # A Windows program under Wine once ended in 0.01 s with no output at all, before reaching
  # its own code; it passed in every rerun. Failed tests run once more, alone, and the run
  # names them; a fault of the program fails both times.
  echo "Wine tests: failed ones run again, one at a time:"
  ctest --test-dir "$build" --output-on-failure --timeout 300 --rerun-failed || status=$?
  [[ $status -ne 0 ]] || echo "Wine tests: passed when run again (see the failures above)"
fi
# The server would linger a minute after the last test; end it with the run.
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
