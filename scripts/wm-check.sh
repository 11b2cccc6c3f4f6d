#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shows the five windows on Xvfb under metacity and then under openbox and checks that each
# window manager's frame leaves the designed client area whole (tests/ui/frame_check.cpp).
# Usage: scripts/wm-check.sh [BUILD_DIR]   (default: build). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target kelvara_frame_check >/dev/null
check="$build_dir/bin/kelvara_frame_check"

xvfb_pid=""
wm_pid=""
stop() {
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  wm_pid=""
  xvfb_pid=""
}
display_file="$(mktemp)"
trap 'stop; rm -f "$display_file"' EXIT

status=0
for wm in metacity openbox; do
  echo "== $wm"
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do [ -s "$display_file" ] && break; sleep 0.1; done
  if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start"
    exit 1
  fi
  display=":$(head -n1 "$display_file")"
  case "$wm" in
    metacity) DISPLAY="$display" metacity --replace --sm-disable >/dev/null 2>&1 & ;;
    openbox) DISPLAY="$display" openbox --sm-disable >/dev/null 2>&1 & ;;
  esac
  wm_pid=$!
  # The manager is ready once it announces itself on the root window.
  for _ in $(seq 100); do
    DISPLAY="$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  sleep 1
  if ! kill -0 "$wm_pid" 2>/dev/null; then
    echo "FAILED: $wm did not start"
    status=1
  elif ! DISPLAY="$display" QT_QPA_PLATFORM=xcb "$check"; then
    echo "FAILED under $wm"
    status=1
  fi
  stop
done
exit "$status"
