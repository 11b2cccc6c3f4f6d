#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds every configuration CI checks and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=offscreen
summary="$(mktemp)"
trap 'rm -f "$summary"' EXIT

echo "== browser page (WebAssembly, emscripten)"
bash scripts/web.sh

echo "== main build (WebEngine view, warnings as errors; the browser page tested in Chromium and Firefox)"
cmake --preset ci >/dev/null
cmake --build --preset ci -j"$jobs"
ctest --preset ci -j"$jobs" | tee -a "$summary"

echo "== clang-format and clang-tidy"
bash scripts/lint.sh build

echo "== windows under real window managers (metacity, openbox on Xvfb)"
bash scripts/wm-check.sh build

echo "== Debian package: contents, install, both programs from /usr/bin, removal"
bash scripts/package-check.sh build

echo "== QTextBrowser view build"
cmake --preset textview >/dev/null
cmake --build --preset textview -j"$jobs"
ctest --preset textview -j"$jobs" | tee -a "$summary"

echo "== AddressSanitizer + UBSan build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs" | tee -a "$summary"

if [ -f fuzz/CMakeLists.txt ]; then
  echo "== fuzzers (short runs)"
  bash scripts/fuzz.sh 20 | tee -a "$summary"
fi
total=$(awk '/tests passed, 0 tests failed out of/ { n += $NF } END { print n + 0 }' "$summary")
echo "tests: ${total} passed, 0 failed"
