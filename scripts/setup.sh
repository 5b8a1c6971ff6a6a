#!/usr/bin/env bash
# Installs what building, running and testing Orvale needs on Debian 12.
# Quick when everything is already there: apt is asked only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libx11-dev libgtest-dev libgmock-dev googletest
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xdotool x11-utils x11-apps x11-xserver-utils imagemagick xclip
  fuse3 python3-fusepy python3-xlib
  tree findutils python3 man-db groff-base
)

"$(dirname "$0")/install-packages.sh" "${packages[@]}"
