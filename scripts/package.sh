#!/usr/bin/env bash
# Builds the Debian package build/orvale_<version>_<arch>.deb: a release build of the two
# programs in build-package/ (Debian's hardening flags, warnings as errors), packed by
# CPack with the libraries' dependencies from dpkg-shlibdeps. Installs what it needs when
# missing. Install the package with: apt install ./build/orvale_*.deb
# With --check it then runs the package's checks (tests/package/) in build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/install-packages.sh dpkg-dev file xz-utils
check=false
[[ ${1:-} == --check ]] && check=true
if $check; then scripts/install-packages.sh lintian desktop-file-utils appstream; fi

build_dir=${ORVALE_PACKAGE_BUILD_DIR:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The release build's own optimisation, without debugging information: the package is stripped.
export DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALE_WERROR=ON -DORVALE_TESTS=OFF \
  -DORVALE_PACKAGE_TESTS="$([[ $check == true ]] && echo ON || echo OFF)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

rm -f "$build_dir"/orvale_*.deb build/orvale_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
mkdir -p build
package=$(ls "$build_dir"/orvale_*.deb)
cp "$package" build/
echo "build/$(basename "$package")"

if $check; then
  ctest --test-dir "$build_dir" --output-on-failure --timeout 300
fi
