#!/usr/bin/env bash
# Sets everything up, checks the format, builds Orvale with its tests (warnings as errors)
# and runs the whole suite: unit, widget and end-to-end tests and the replay of the fuzz
# corpus here, the unit and widget tests and the replay again under the address and
# undefined-behaviour sanitizers, the Debian package, then the Windows half under Wine and
# the Windows release (zip and installer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
status=0
scripts/format.sh --check || status=$?
scripts/build.sh

(cd build && ctest --output-on-failure -j2 --timeout 300) || status=$?
scripts/sanitize-tests.sh || status=$?

# The Debian package: a release build of the two programs in build-package/, then its checks.
scripts/package.sh --check || status=$?

scripts/wine-tests.sh || status=$?

# The Windows release: the zip and the installer from a release build in build-windows/, then
# their checks under Wine.
scripts/windows-package.sh --check || status=$?
exit $status
