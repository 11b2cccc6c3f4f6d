#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts the licence line at the top of every project source file that lacks it (after a
# "#!" line), in the comment syntax of the file. Running it again changes nothing.
#   bash scripts/spdx.sh            every source file of the work tree
#   bash scripts/spdx.sh FILE...    only these files
#   bash scripts/spdx.sh --check    lists the files that lack it; fails when there are any
set -euo pipefail
cd "$(dirname "$0")/.."
tag='SPDX-License-Identifier: MIT'

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi

# The comment that carries the line in FILE; empty for a file that is not a source file.
comment_of() {
  case "$1" in
    *.cpp | *.h | *.js | *.mjs | *.cjs) echo '//' ;;
    *.css) echo '/*' ;;
    *.html) echo '<!--' ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh) echo '#' ;;
    packaging/bash-completion/* | *.desktop) echo '#' ;;
    *.[1-8]) echo '.\"' ;;
    # A script without an extension (.ci/run) is known by its "#!" line.
    *) [ "$(head -c 2 "$1" 2>/dev/null | tr -d '\0')" = '#!' ] && echo '#' || true ;;
  esac
}

if (($#)); then
  files=("$@")
else
  # Tracked and new files alike, so that the check also sees what is not committed yet.
  mapfile -t files < <(git ls-files --cached --others --exclude-standard | sort -u)
fi

missing=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  comment="$(comment_of "$f")"
  [ -n "$comment" ] || continue
  # The line counts when it is among the first two lines (the first may be "#!").
  head -n 2 -- "$f" | grep -qF "$tag" && continue
  if ((check)); then
    missing+=("$f")
    continue
  fi
  line="$comment $tag"
  case "$comment" in
    '/*') line="$line */" ;;
    '<!--') line="$line -->" ;;
  esac
  tmp="$(mktemp)"
  if head -n 1 -- "$f" | grep -q '^#!'; then
    { head -n 1 -- "$f"; printf '%s\n' "$line"; tail -n +2 -- "$f"; } >"$tmp"
  else
    { printf '%s\n' "$line"; cat -- "$f"; } >"$tmp"
  fi
  # Keep the file's mode (scripts stay executable).
  cat "$tmp" >"$f"
  rm -f "$tmp"
  echo "licence line added: $f"
done

if ((check)) && ((${#missing[@]})); then
  printf 'no "%s" line at the top of:\n' "$tag" >&2
  printf '  %s\n' "${missing[@]}" >&2
  echo "run: bash scripts/spdx.sh" >&2
  exit 1
fi
