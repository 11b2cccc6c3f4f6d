#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# kelvara-gen for text formats: no Qt among its libraries, none loaded while it runs.
set -euo pipefail
gen="$1"
if ldd "$gen" | grep -E 'libQt6|kelvara_picture'; then
  echo "kelvara-gen links Qt"; exit 1
fi
for format in font span css json; do
  loaded="$(LD_DEBUG=files "$gen" --format="$format" 虹色 2>&1 >/dev/null | grep -E 'file=.*(libQt6|kelvara_picture)' || true)"
  if [ -n "$loaded" ]; then
    echo "a $format run loaded: $loaded"; exit 1
  fi
done
# A picture run does load the module (so the check above can see a load).
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
picture="$(LD_DEBUG=files "$gen" --image="$tmp/x.png" 虹色 2>&1 >/dev/null)"
grep -q 'file=.*kelvara_picture' <<<"$picture"
echo "text runs load no Qt"
