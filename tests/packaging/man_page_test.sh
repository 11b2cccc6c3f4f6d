#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every option "PROGRAM --help" lists is described in the manual page MANPAGE, so that the two
# cannot drift apart; the page also renders without a warning.
#   man_page_test.sh PROGRAM MANPAGE
set -euo pipefail
program="$1" page="$2"
. "$(dirname "$0")/help_options.sh"

mapfile -t options < <(HelpOptions "$program")
((${#options[@]} >= 2)) || { echo "FAIL: no options found in $program --help"; exit 1; }

# The page source with roff's escaped hyphens and font changes undone: "\-\-first" is "--first".
text="$(sed -E 's/\\-/-/g; s/\\f(\[[A-Z]*\]|[A-Z])//g' "$page")"
failed=0
for option in "${options[@]}"; do
    if ! grep -qE -- "(^|[^A-Za-z0-9_-])${option}([^A-Za-z0-9_-]|$)" <<<"$text"; then
        echo "FAIL: $option is in '$(basename "$program") --help' but not in $page"
        failed=1
    fi
done

warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -k -ww -z "$page" 2>&1)"
if [ -n "$warnings" ]; then
    echo "FAIL: $page renders with warnings:"
    echo "$warnings"
    failed=1
fi
((failed == 0)) && echo "ok: ${#options[@]} options of $(basename "$program") in $(basename "$page")"
exit "$failed"
