#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser page with Debian's emscripten in build-web/ (CMake through emcmake) and
# prints the path of the one file it makes: build-web/kelvara.html.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten looks for its JavaScript helpers (acorn) among Debian's Node modules,
# which a node that is not Debian's does not search by itself.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
# Its C and C++ libraries come prebuilt in the package's own cache, which must stay in use.
unset EM_CACHE
command -v emcmake >/dev/null || { echo "emscripten is missing: bash scripts/setup.sh" >&2; exit 2; }
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel >&2
cmake --build build-web -j"$(nproc)" >&2
realpath build-web/kelvara.html
