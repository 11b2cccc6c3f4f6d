#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The browser page's benchmark in headless Chromium and Firefox ESR: first result after
# opening the file, a change of 1,000 characters, and the file's size (targets 300 ms, 50 ms,
# 400 KB; recorded in docs/performance.md). Builds the page first; the browser driver
# (puppeteer-core, pinned by tests/web/package-lock.json) is installed into build-web/.
# Usage: bash scripts/bench_web.sh
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(bash scripts/web.sh 2>/dev/null)
tools=build-web/web-tools
mkdir -p "$tools"
cp tests/web/package.json tests/web/package-lock.json tests/web/browsers.mjs \
  bench/web_page_bench.mjs "$tools/"
(cd "$tools" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
for browser in chromium firefox; do
  [ "$browser" = firefox ] && ! command -v firefox-esr >/dev/null && continue
  BROWSER=$browser KELVARA_PAGE="$page" node "$tools/web_page_bench.mjs"
done
