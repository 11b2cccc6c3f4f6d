#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (fuzz preset, clang) and runs each one as a test for SECONDS
# seconds (default 20) from its seed corpus. Fails when a target finds a crash; the input is
# then in build-fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
cmake --preset fuzz -DKELVARA_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure
