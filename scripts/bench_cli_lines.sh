#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# kelvara-gen --lines against kelvara-gen started once per text, side by side in one hyperfine
# run: 100,000 lines of 20 characters in one --lines run, and 1,000 of the same lines each in a
# run of its own (started by xargs, no shell between). FONT format, default options. Fails when
# --lines converts fewer than 200,000 lines per second, or when its peak memory passes 16 MiB.
# Usage: bash scripts/bench_cli_lines.sh [path/to/kelvara-gen]   (needs hyperfine and time)
set -euo pipefail
gen=$(realpath "${1:-build/bin/kelvara-gen}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Kana, kanji and ASCII, 20 characters a line, each line different.
python3 - "$work" <<'PY'
import random, sys
random.seed(18)
letters = "あいうえおかきくけこさしすせそ虹色文字列ABCDEFGHIJabcdefghij"
lines = ["".join(random.choice(letters) for _ in range(20)) for _ in range(100_000)]
open(f"{sys.argv[1]}/lines", "w", encoding="utf-8").write("\n".join(lines) + "\n")
open(f"{sys.argv[1]}/lines1000", "w", encoding="utf-8").write("\n".join(lines[:1000]) + "\n")
PY
"$gen" --lines < "$work/lines" > "$work/out"
[ "$(wc -l < "$work/out")" -eq 100000 ] || { echo "FAIL: not one result per line"; exit 1; }

hyperfine --warmup 3 --runs 20 --export-json "$work/times.json" \
  "$gen --lines < $work/lines" \
  "xargs -d '\n' -n 1 -a $work/lines1000 $gen" > /dev/null
kib=$(/usr/bin/time -f %M "$gen" --lines < "$work/lines" 2>&1 > /dev/null)
python3 - "$work/times.json" "$kib" <<'PY'
import json, sys
batch, single = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
kib = int(sys.argv[2])
rate = 100_000 / batch
print(f"--lines: 100,000 lines in {batch * 1000:.0f} ms (median), {rate:,.0f} lines/s; "
      f"peak memory {kib / 1024:.1f} MiB")
print(f"one run per line: 1,000 lines in {single * 1000:.0f} ms (median), "
      f"{1000 / single:,.0f} lines/s, {single:.2f} ms a run")
print(f"--lines is {rate / (1000 / single):,.0f} times as fast")
sys.exit(0 if rate >= 200_000 and kib <= 16 * 1024 else 1)
PY
