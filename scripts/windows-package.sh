#!/usr/bin/env bash
# Builds the Windows release into build-windows/: a release MinGW-w64 build of Orvale.exe and
# orvale-tree.exe (warnings as errors, statically linked, stripped), then
#   orvale-<version>-windows-x64.zip        the two programs, README.txt and LICENSE.txt in a
#                                           folder orvale-<version>/, to run from wherever
#                                           it is unpacked
#   orvale-<version>-windows-x64-setup.exe  the installer (NSIS, packaging/windows/Orvale.nsi)
# README.txt and LICENSE.txt are UTF-8 with a byte order mark and CR LF, which every Notepad
# opens right, whatever the system's code page. Installs what it needs when missing.
# With --check it then runs the checks of tests/windows-package/ under Wine, in a Wine
# prefix made afresh (build-windows/wineprefix), so that "nothing left behind" means nothing.
# Where Wine does not start it runs the checks that need no Wine and says "skipped" of the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
scripts/install-packages.sh g++-mingw-w64-x86-64-posix nsis zip python3
check=false
[[ ${1:-} == --check ]] && check=true
skipped=
if $check; then
  wine_packages=(wine wine64 fonts-wine locales xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho)
  scripts/install-packages.sh "${wine_packages[@]}" || skipped="could not install ${wine_packages[*]}"
fi

build=$root/build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DORVALE_GUI=OFF -DORVALE_TESTS=OFF \
  -DORVALE_WERROR=ON -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s -DORVALE_WINDOWS_PACKAGE_TESTS="$check" >/dev/null
if $check; then
  cmake --build "$build" -j"$(nproc)"
else
  cmake --build "$build" -j"$(nproc)" --target Orvale orvale-tree
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=orvale-$version
stage=$build/stage/$name
rm -rf "$build/stage" "$build"/orvale-*-windows-x64*
mkdir -p "$stage"
cp "$build/app/win32/Orvale.exe" "$build/cli/orvale-tree.exe" "$stage/"
# A text file as Windows' Notepad opens it right everywhere: UTF-8 with its mark, CR LF.
windows_text() {
  printf '\357\273\277' >"$2"
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1" >>"$2"
}
windows_text packaging/windows/README.txt "$stage/README.txt"
windows_text packaging/copyright "$stage/LICENSE.txt"
# The same bytes from the same commit: every file takes the commit's time.
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 0)
touch -d "@$stamp" "$stage" "$stage"/*

zip_file=$build/$name-windows-x64.zip
(cd "$build/stage" && TZ=UTC zip -q -X -r "$zip_file" "$name/Orvale.exe" "$name/orvale-tree.exe" \
  "$name/README.txt" "$name/LICENSE.txt")

setup=$build/$name-windows-x64-setup.exe
IFS=. read -r major minor patch _ <<<"$version.0.0"
size_kb=$(du -sk --apparent-size "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$major.$minor.${patch:-0}.0" \
  -DSTAGE="$stage" -DICON="$build/resources/win32/pictures/orvale.ico" -DSIZE_KB="$size_kb" \
  -DOUTFILE="$setup" packaging/windows/Orvale.nsi >/dev/null
ls -l "$zip_file" "$setup" | awk '{print $5, $9}'

if $check; then
  rm -rf "$build/wineprefix" "$build/wineprefix.lock" "$build/wineprefix.boot.log"
  if [[ -n $skipped ]]; then
    :
  elif ! scripts/japanese-locale.sh; then
    skipped="could not generate the ja_JP.UTF-8 locale"
  elif ! probe=$(timeout 300 tests/wine/wine-run.sh --display "$build/wineprefix" cmd /c echo started 2>&1) ||
       [[ $probe != *started* ]]; then
    skipped="Wine does not start here: $(echo "$probe" | tail -n 3 | tr '\n' ' ')"
  fi
  status=0
  if [[ -n $skipped ]]; then
    echo "Windows package checks under Wine: skipped: $skipped"
    ctest --test-dir "$build" --output-on-failure --timeout 600 -LE wine || status=$?
  else
    ctest --test-dir "$build" --output-on-failure --timeout 600 || status=$?
  fi
  WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  exit $status
fi
