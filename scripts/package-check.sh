#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured build directory and checks it as a user would
# meet it: its control data and file list, lintian (no error, no warning), the desktop entry
# and the software-centre data, then installs it with apt-get, runs both programs from /usr/bin (the window on a private
# Xvfb display until it shows, then closed through its menu) and removes (purges) it again.
# Needs root (or sudo); works without a display. BUILD_DIR: default build (the ci preset's).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
[ -f "$build_dir/CMakeCache.txt" ] || { echo "configure $build_dir first"; exit 2; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

work="$(mktemp -d)"
xvfb_pid="" app_pid="" installed=0
cleanup() {
  local status=$?
  set +e
  if [ -n "$app_pid" ]; then
    # The program runs under runuser: end the program itself, then runuser.
    kill $(pgrep -P "$app_pid") "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  if ((installed)); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kelvara >/dev/null || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== package"
rm -f "$build_dir"/kelvara_*.deb
cmake --build "$build_dir" -j"$(nproc)" --target package >/dev/null
debs=("$build_dir"/kelvara_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "no kelvara_VERSION_amd64.deb in $build_dir"
deb="$(realpath "${debs[0]}")"
echo "$(basename "$deb")"

echo "== dpkg-deb --info"
dpkg-deb --info "$deb"
depends="$(dpkg-deb --field "$deb" Depends)"
for need in fonts-ipafont-gothic libqt6webenginecore6-bin qt6-translations-l10n libqt6widgets6 \
  libicu72; do
  grep -q "\b$need\b" <<<"$depends" || fail "Depends lacks $need: $depends"
done

echo "== dpkg-deb --contents"
contents="$(dpkg-deb --contents "$deb" | awk '{ print $NF }' | sed 's|^\./|/|')"
for path in /usr/bin/kelvara /usr/bin/kelvara-gen /usr/lib/kelvara/modules/kelvara_webview.so \
  /usr/lib/kelvara/modules/kelvara_picture.so \
  /usr/share/applications/com.example.Kelvara.desktop \
  /usr/share/metainfo/com.example.Kelvara.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/com.example.Kelvara.svg \
  /usr/share/man/man1/kelvara.1.gz /usr/share/man/man1/kelvara-gen.1.gz \
  /usr/share/bash-completion/completions/kelvara-gen /usr/share/doc/kelvara/copyright \
  /usr/share/doc/kelvara/changelog.gz /usr/share/kelvara/web/kelvara.html; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
echo "every expected file is in the package"

echo "== lintian"
# Every error and every warning fails the check; lintian prints what it found either way.
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
echo "lintian: no errors, no warnings"

echo "== desktop entry and metainfo"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/com.example.Kelvara.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/com.example.Kelvara.metainfo.xml"

echo "== apt-get install"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$deb"
installed=1
dpkg-query -W -f='${Status}\n' kelvara | grep -q 'install ok installed' || fail "not installed"

echo "== kelvara-gen from /usr/bin"
expected='<FONT SIZE="3" FACE="MS Pゴシック"><FONT COLOR="#FF0000">a</FONT><FONT COLOR="#7F0180">b</FONT><FONT COLOR="#0000FF">c</FONT></FONT>'
[ "$(/usr/bin/kelvara-gen abc)" = "$expected" ] || fail "kelvara-gen abc printed something else"
/usr/bin/kelvara-gen --version
# The picture module, found from the installed program, drawing without a display.
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/kelvara-gen --image="$work/picture.png" abc
file "$work/picture.png" | grep -q 'PNG image data' || fail "kelvara-gen --image wrote no PNG"
if grep -rqs 'path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d/; then
  echo "manual pages are excluded by this system's dpkg configuration; not checked"
else
  man -w kelvara-gen >/dev/null && man -w kelvara >/dev/null || fail "man cannot find the pages"
  MANWIDTH=80 man kelvara-gen 2>/dev/null | grep -q -- '--save-settings' || fail "man kelvara-gen"
fi
# The installed completion, loaded the way bash-completion loads it.
completed="$(bash -c '. /usr/share/bash-completion/completions/kelvara-gen
  COMP_WORDS=(kelvara-gen --format = b); COMP_CWORD=3; _kelvara_gen; echo "${COMPREPLY[*]}"')"
[ "$completed" = "bbcode" ] || fail "completion of --format=b gave [$completed]"

echo "== the browser page from /usr/share"
# Opened from disk in headless Chromium (no network needed): the engine starts and the first
# result stands, its kelvara-gen command line shown under it.
dom="$(timeout 60 chromium --headless --no-sandbox --disable-gpu --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$work/chromium" --virtual-time-budget=10000 --dump-dom \
  file:///usr/share/kelvara/web/kelvara.html 2>/dev/null)"
grep -q 'data-ready="true"' <<<"$dom" || fail "the installed page did not start"
grep -q 'kelvara-gen --first=FF0000 --last=0000FF' <<<"$dom" || fail "the installed page shows no result"

echo "== kelvara from /usr/bin"
/usr/bin/kelvara --version
# Run as an ordinary user would (root may write next to the program): nobody, with a home
# of its own, which is where the installed copy keeps Lum.ini.
home="$work/home"
mkdir -p "$home/run"
chmod 700 "$home/run"
[ "$(id -u)" -ne 0 ] || chown -R nobody:nogroup "$home"
chmod 755 "$work"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=":$(cat "$work/display")"
run_as_user=(runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$display"
  LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/run")
[ "$(id -u)" -eq 0 ] || run_as_user=(env -u QT_QPA_PLATFORM DISPLAY="$display" HOME="$home")
"${run_as_user[@]}" /usr/bin/kelvara >"$work/kelvara.log" 2>&1 &
app_pid=$!
user="nobody"
[ "$(id -u)" -eq 0 ] || user="$(id -un)"
# Prints the id of the visible main window once it shows (its id changes when the browser
# view opens), failing after 30 s or when the program ends.
main_window() {
  local id
  for _ in $(seq 300); do
    id="$(DISPLAY="$display" xdotool search --onlyvisible --name '^Kelvara$' 2>/dev/null |
      head -n 1)" || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$app_pid" 2>/dev/null || fail "kelvara ended: $(cat "$work/kelvara.log")"
    sleep 0.1
  done
  fail "no Kelvara window within 30 s: $(cat "$work/kelvara.log")"
}
# Types keys into the main window.
keys() {
  local id
  id="$(main_window)"
  DISPLAY="$display" timeout 10 xdotool windowfocus --sync "$id" || fail "cannot focus the window"
  for key in "$@"; do
    DISPLAY="$display" xdotool key --clearmodifiers "$key"
    sleep 0.5
  done
}
window="$(main_window)"
DISPLAY="$display" xwininfo -id "$window" | grep -E 'Width|Height|Map State'

# The view window (Alt+S, V) loads the browser view from /usr/lib/kelvara/modules, which starts the
# browser engine's processes.
keys alt+s v
engine_pids=""
for _ in $(seq 300); do
  engine_pids="$(pgrep -u "$user" -f '^/usr/lib/qt6/libexec/QtWebEngineProcess' || true)"
  [ -n "$engine_pids" ] && break
  sleep 0.1
done
[ -n "$engine_pids" ] || fail "opening the view started no browser engine: $(cat "$work/kelvara.log")"
echo "view open, browser engine running"

# Close it as a user would: the file menu's exit item (Alt+F, X), which saves the settings.
keys alt+f x
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
  fail "kelvara did not close through its menu: $(cat "$work/kelvara.log")"
fi
status=0
wait "$app_pid" || status=$?
app_pid=""
((status == 0)) || fail "kelvara exited with $status: $(cat "$work/kelvara.log")"
[ -f "$home/.config/Kelvara/Lum.ini" ] || fail "the settings were not saved in the user's folder"
[ ! -e /usr/bin/Lum.ini ] || fail "the settings were written next to the program"
for _ in $(seq 50); do
  alive=""
  for pid in $engine_pids; do kill -0 "$pid" 2>/dev/null && alive+=" $pid"; done
  [ -z "$alive" ] && break
  sleep 0.1
done
[ -z "$alive" ] || { kill $alive 2>/dev/null; fail "browser engine processes left:$alive"; }
echo "window shown, closed, settings saved in ~/.config/Kelvara, nothing left running"

echo "== apt-get purge (remove, leaving nothing behind)"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kelvara >/dev/null
installed=0
[ ! -e /usr/bin/kelvara ] && [ ! -e /usr/bin/kelvara-gen ] || fail "programs left after removal"
echo "package check passed"
