#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# kelvara-gen --image end to end (start, loading the picture module and Qt, drawing, writing):
# 200 characters at 48 px as PNG and as SVG, 2,000 characters wrapped at 1,200 px as PNG, and
# the 200 as FONT tags, in one hyperfine run; with a second kelvara-gen (one built before
# pictures existed) its text run too, to show that text formats start as fast as before. Then
# the time and peak memory of refusing 32,767 characters, a picture far over the size limits.
# Fails when the 200-character PNG takes more than 150 ms or the 2,000 more than 400 ms.
# Usage: bash scripts/bench_picture.sh [path/to/kelvara-gen] [path/to/earlier/kelvara-gen]
set -euo pipefail
gen=$(realpath "${1:-build/bin/kelvara-gen}")
before=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 200 and 2,000 characters: kana, kanji and Latin letters.
text=$(python3 -c "print(('グラデーション文字列の画像をabc' * 20)[:200], end='')")
long=$(python3 -c "print(('グラデーション文字列の画像をabc' * 200)[:2000], end='')")
commands=("$gen --image=$work/x.png $text" "$gen --image=$work/x.svg $text"
  "$gen --image=$work/w.png --wrap=1200 $long" "$gen $text")
[ -n "$before" ] && commands+=("$before $text")
hyperfine -N --warmup 5 --runs 40 --output=pipe --export-json "$work/times.json" \
  "${commands[@]}" > /dev/null
python3 - "$work/times.json" "$before" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
names = ["PNG, 200 characters", "SVG, 200 characters", "PNG, 2,000 wrapped at 1,200 px",
         "FONT tags"] + (["FONT tags, earlier build"] if sys.argv[2] else [])
for name, r in zip(names, runs):
    print(f"{name:32} median {r['median'] * 1000:7.2f} ms  (min {r['min'] * 1000:.2f}, "
          f"max {r['max'] * 1000:.2f})")
sys.exit(0 if runs[0]["median"] <= 0.150 and runs[2]["median"] <= 0.400 else 1)
PY

# Refused before any pixel exists: a second or so, and memory for the layout alone.
python3 -c "print('あ' * 32767, end='')" > "$work/huge.txt"
for options in "" "--px=512 --scale=4"; do
  # shellcheck disable=SC2086 # the options are words of their own
  /usr/bin/time -o "$work/time.txt" -f "%e s, %M KiB" "$gen" --image="$work/huge.png" $options \
    < "$work/huge.txt" > /dev/null 2>&1 || true
  echo "refused 32,767 characters ${options:-at 48 px}: $(tail -n 1 "$work/time.txt")"
  [ ! -e "$work/huge.png" ] || { echo "a picture was written"; exit 1; }
done
