#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# kelvara-gen against cat, side by side in one hyperfine run: the longest text (32,767
# characters) with every wrapper on, against cat writing the same output; and the peak memory
# of that run and of a 100 MB input. Fails when kelvara-gen takes more than twice cat's
# median time or more than 16 MiB (32 MiB for the 100 MB input).
# Usage: bash scripts/bench_cli_output.sh [path/to/kelvara-gen]   (needs hyperfine and time)
set -euo pipefail
gen=$(realpath "${1:-build/bin/kelvara-gen}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 -c "print('あ' * 32767, end='')" > "$work/text"
text=$(cat "$work/text")
wrappers=(--center --bold --italic --strike --sub --sup --underline --marquee --blink --vertical)
status=0

measure() {  # name, options...
  local name=$1
  shift
  "$gen" "$@" "$text" > "$work/out.html"
  # The text goes in as an argument, so neither command needs a shell around it.
  hyperfine -N --warmup 20 --runs 300 --output=pipe --export-json "$work/times.json" \
    "$gen $* $text" "cat $work/out.html" > /dev/null
  local kib
  kib=$(/usr/bin/time -f %M "$gen" "$@" < "$work/text" 2>&1 > /dev/null)
  python3 - "$work/times.json" "$name" "$kib" "$(stat -c %s "$work/out.html")" <<'PY' || status=1
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
gen, cat = (r["median"] * 1000 for r in runs)
kib, size = int(sys.argv[3]), int(sys.argv[4])
ratio = gen / cat
print(f"{sys.argv[2]}: {size:,} bytes out; kelvara-gen {gen:.2f} ms, cat {cat:.2f} ms "
      f"(medians), ratio {ratio:.2f}; peak memory {kib / 1024:.1f} MiB")
sys.exit(0 if ratio <= 2 and kib <= 16 * 1024 else 1)
PY
}

measure "font mode 0, every wrapper, vertical" "${wrappers[@]}"
measure "font mode 3, every wrapper, vertical" "${wrappers[@]}" --font-mode=3 --max=40 --min=10

# 100 MB on standard input: refused after the first few kilobytes (the writers then get
# SIGPIPE, which is why this pipeline is not checked).
set +o pipefail
head -c 100000000 /dev/zero | tr '\0' a |
  /usr/bin/time -f %M -o "$work/kib" "$gen" > /dev/null 2> "$work/err" || true
set -o pipefail
kib=$(tail -n 1 "$work/kib")
echo "100 MB input: $(head -n 1 "$work/err"); peak memory $((kib / 1024)) MiB"
[ "$kib" -le $((32 * 1024)) ] || status=1
exit $status
