#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the README's pictures: builds what is missing, then, under Xvfb, saves the main window
# with the view open after a run (docs/screenshot.png), the settings dialog on its "出力" page
# (docs/settings_output.png) and the main window after a run with those output choices
# (docs/screenshot_output.png).
# BUILD_DIR selects the build directory (default: build, the default preset).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DKELVARA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)" --target kelvara_screenshot
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$build_dir/bin/kelvara_screenshot" \
  docs/screenshot.png docs/settings_output.png docs/screenshot_output.png
echo "Wrote docs/screenshot.png, docs/settings_output.png, docs/screenshot_output.png"
