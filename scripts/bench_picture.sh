#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# kelvara-gen --image end to end (start, loading the picture module and Qt, drawing, writing):
# 200 characters at 48 px as PNG and as SVG, and the same text as FONT tags, in one hyperfine
# run; with a second kelvara-gen (one built before pictures existed) its text run too, to show
# that text formats start as fast as before. Fails when the PNG takes more than 150 ms.
# Usage: bash scripts/bench_picture.sh [path/to/kelvara-gen] [path/to/earlier/kelvara-gen]
set -euo pipefail
gen=$(realpath "${1:-build/bin/kelvara-gen}")
before=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 200 characters: kana, kanji and Latin letters.
text=$(python3 -c "print(('グラデーション文字列の画像をabc' * 20)[:200], end='')")
commands=("$gen --image=$work/x.png $text" "$gen --image=$work/x.svg $text" "$gen $text")
[ -n "$before" ] && commands+=("$before $text")
hyperfine -N --warmup 5 --runs 40 --output=pipe --export-json "$work/times.json" \
  "${commands[@]}" > /dev/null
python3 - "$work/times.json" "$before" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
names = ["PNG", "SVG", "FONT tags"] + (["FONT tags, earlier build"] if sys.argv[2] else [])
for name, r in zip(names, runs):
    print(f"{name:26} median {r['median'] * 1000:7.2f} ms  (min {r['min'] * 1000:.2f}, "
          f"max {r['max'] * 1000:.2f})")
sys.exit(0 if runs[0]["median"] <= 0.150 else 1)
PY
