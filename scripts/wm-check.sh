#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shows the five windows on Xvfb under metacity and then under openbox and checks that each
# window manager's frame leaves the designed client area whole (tests/ui/frame_check.cpp).
# Then, with a Wayland compositor (weston, headless) and Xvfb both running, checks that the
# window program goes to the X display, where topmost mode works, and that with Wayland alone
# it runs there and says once that topmost mode is not available.
# Usage: scripts/wm-check.sh [BUILD_DIR]   (default: build). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake --build "$build_dir" --target kelvara_frame_check kelvara >/dev/null
check="$build_dir/bin/kelvara_frame_check"

xvfb_pid=""
wm_pid=""
weston_pid=""
app_pid=""
stop() {
  local pid
  for pid in "$app_pid" "$wm_pid" "$weston_pid" "$xvfb_pid"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  done
  app_pid=""
  wm_pid=""
  weston_pid=""
  xvfb_pid=""
}
display_file="$(mktemp)"
work="$(mktemp -d)"
trap 'stop; rm -rf "$display_file" "$work"' EXIT

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

echo "== Wayland (weston, headless) with an X server: the window goes to X"
: >"$display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$display_file" ] && break; sleep 0.1; done
display=":$(head -n1 "$display_file")"
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" weston --backend=headless-backend.so --socket=kelvara-check \
  --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$work/runtime/kelvara-check" ] && break; sleep 0.1; done
# A copy of the program in a folder of its own, so that no Lum.ini of the build is touched.
mkdir "$work/program"
cp "$build_dir/bin/kelvara" "$work/program/"
wayland=(XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=kelvara-check XDG_SESSION_TYPE=wayland)
if [ ! -S "$work/runtime/kelvara-check" ]; then
  echo "FAILED: weston did not start: $(cat "$work/weston.log")"
  status=1
else
  env -u QT_QPA_PLATFORM "${wayland[@]}" DISPLAY="$display" "$work/program/kelvara" \
    >"$work/both.log" 2>&1 &
  app_pid=$!
  shown=""
  for _ in $(seq 300); do
    shown="$(DISPLAY="$display" xdotool search --onlyvisible --name '^Kelvara$' 2>/dev/null)" || true
    [ -n "$shown" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$shown" ]; then
    echo "FAILED: no Kelvara window on the X display: $(cat "$work/both.log")"
    status=1
  elif grep -q 'topmost' "$work/both.log"; then
    echo "FAILED: topmost mode reported unavailable on X"
    status=1
  else
    echo "the window is on the X display"
  fi
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""

  echo "== Wayland only: the window runs there and says once that topmost mode is unavailable"
  env -u QT_QPA_PLATFORM -u DISPLAY "${wayland[@]}" "$work/program/kelvara" \
    >"$work/wayland.log" 2>&1 &
  app_pid=$!
  for _ in $(seq 100); do
    grep -q 'topmost' "$work/wayland.log" && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  if ! kill -0 "$app_pid" 2>/dev/null; then
    echo "FAILED: kelvara did not keep running on Wayland: $(cat "$work/wayland.log")"
    status=1
  elif [ "$(grep -c 'topmost mode is not available' "$work/wayland.log")" -ne 1 ]; then
    echo "FAILED: expected the topmost note once: $(cat "$work/wayland.log")"
    status=1
  else
    echo "runs on Wayland; $(grep 'topmost' "$work/wayland.log")"
  fi
fi
stop
exit "$status"
