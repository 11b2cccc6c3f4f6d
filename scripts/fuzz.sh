#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset, clang) and runs each one for SECONDS seconds
# (default 20) from its seed corpus. Fails as soon as a target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
targets=(profile numbers color generator)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

# New inputs go to a scratch folder, so the committed seeds stay as they are.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
artifacts="build-fuzz/artifacts"

for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target" "$artifacts/$target"
  echo "== ${target}_fuzzer, ${seconds} s"
  if ! "build-fuzz/bin/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target/" \
      "$scratch/$target" "fuzz/corpus/$target"; then
    echo "${target}_fuzzer failed; the input is in $artifacts/$target/" >&2
    exit 1
  fi
done
echo "No crashes."
