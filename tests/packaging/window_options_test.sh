#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window program answers --help and --version without a display and without opening a
# window, and refuses what it does not know instead of starting.
#   window_options_test.sh KELVARA VERSION
set -uo pipefail
program="$1" version="$2"
failed=0
Fail() { echo "FAIL: $*"; failed=1; }
# No display at all: a program that tried to open a window here would abort.
Run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

for option in --help -h; do
    out="$(Run "$option" 2>&1)"
    status=$?
    ((status == 0)) || Fail "$option exits with $status: $out"
    grep -q '^Usage: kelvara' <<<"$out" || Fail "$option: no usage line: $out"
    grep -q -- '--version' <<<"$out" || Fail "$option does not list --version: $out"
done
for option in --version -v; do
    out="$(Run "$option" 2>&1)"
    status=$?
    ((status == 0)) || Fail "$option exits with $status"
    [ "$out" = "Kelvara $version" ] || Fail "$option prints [$out]"
done
# Help wins over Qt's own options, which need the application object otherwise.
out="$(Run -platform offscreen --help 2>&1)" || Fail "-platform offscreen --help fails: $out"

# Wrong usage: message with the program's name, exit status 2, no window.
for args in "--bogus" "stray"; do
    err="$(env QT_QPA_PLATFORM=offscreen "$program" $args 2>&1 >/dev/null)"
    status=$?
    ((status == 2)) || Fail "$args exits with $status, not 2"
    grep -q '^kelvara: ' <<<"$err" || Fail "$args: no 'kelvara:' message: $err"
done
((failed == 0)) && echo "ok"
exit "$failed"
