#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Licence lines, clang-format and clang-tidy over the project's own sources (needs a configured
# build dir).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -f "$build/compile_commands.json" ] || { echo "configure $build first"; exit 2; }
echo "== licence lines"
bash scripts/spdx.sh --check
mapfile -t sources < <(git ls-files '*.cpp' '*.h' | grep -vE '^(fuzz)/')
echo "== clang-format"
clang-format --dry-run --Werror "${sources[@]}"
echo "== clang-tidy"
mapfile -t units < <(printf '%s\n' "${sources[@]}" | grep '\.cpp$' | grep -vE '^(tests|bench)/')
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint clean"
