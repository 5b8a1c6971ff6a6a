#!/usr/bin/env bash
# Sets everything up, builds Orvale with its tests and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd build
ctest --output-on-failure -j2 --timeout 300
