#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Kelvara and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
# The build is a portable copy that keeps Lum.ini next to itself. A first run gets the packaged
# example settings (red to blue, a sample text) there; an existing Lum.ini is never touched.
if [ -x build/bin/kelvara ] && [ ! -e build/bin/Lum.ini ] && [ ! -L build/bin/Lum.ini ]; then
  cp packaging/Lum.ini build/bin/Lum.ini
fi
if [ -x build/bin/kelvara ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/bin/kelvara
elif [ -x build/bin/kelvara ]; then
  echo "No display: starting under Xvfb."
  exec xvfb-run -a build/bin/kelvara
else
  exec build/bin/kelvara-gen --bold --first=FF0000 --last=0000FF "グラデーション"
fi
