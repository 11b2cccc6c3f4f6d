#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages Kelvara needs to build, test and run (as root or with sudo).
set -euo pipefail
packages=(
  g++ clang libclang-rt-14-dev cmake make pkg-config git
  libicu-dev googletest libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev libqt6webenginecore6-bin libgl-dev
  fonts-ipafont-gothic xvfb xauth
  qt6-translations-l10n dpkg-dev file appstream desktop-file-utils man-db xdotool x11-utils procps metacity openbox hyperfine time
  weston qt6-wayland lintian librsvg2-bin pngcheck
  php-cli php-mbstring
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Node.js and npm run Misskey's MFM parser in the tests (npm installs it into the build tree);
# Debian's packages only where the machine has no npm of its own.
if ! command -v npm >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: nodejs npm"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends nodejs npm
fi
