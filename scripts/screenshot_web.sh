#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the README's picture of the browser page at a phone's width (docs/web_phone.png) in
# headless Chromium: builds the page, installs the browser driver into build-web/, shoots.
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(bash scripts/web.sh 2>/dev/null)
tools=build-web/web-tools
mkdir -p "$tools" docs
cp tests/web/package.json tests/web/package-lock.json tests/web/browsers.mjs \
  tests/web/screenshot.mjs "$tools/"
(cd "$tools" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
KELVARA_PAGE="$page" node "$tools/screenshot.mjs" docs/web_phone.png
