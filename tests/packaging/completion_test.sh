#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The bash completion of kelvara-gen offers every option its --help lists, the names --format
# and --space take, and file names for the file options, in "--opt=VALUE" and "--opt VALUE"
# form alike.
#   completion_test.sh COMPLETION_FILE KELVARA_GEN
set -uo pipefail
completion="$1" program="$2"
. "$(dirname "$0")/help_options.sh"
. "$completion"
failed=0

# Completes the words as bash splits them (a "=" is a word of its own); the last one is the
# word being completed. Prints the candidates, one a line, sorted.
Complete()
{
    COMP_WORDS=(kelvara-gen "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _kelvara_gen
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
}

Expect()
{
    local want="$1"
    shift
    local got
    got="$(Complete "$@" | tr '\n' ' ')"
    if [ "$got" != "$want" ]; then
        echo "FAIL: completing [$*] gave [$got], not [$want]"
        failed=1
    fi
}

# Every option of --help, with "=" when it takes a value.
offered="$(Complete -)"
mapfile -t options < <(HelpOptions "$program")
((${#options[@]} >= 10)) || { echo "FAIL: no options found in $program --help"; exit 1; }
for option in "${options[@]}"; do
    grep -qxE -- "${option}=?" <<<"$offered" || {
        echo "FAIL: $option is in 'kelvara-gen --help' but not completed"
        failed=1
    }
done
# The options being added alongside the current ones.
for option in -h --format= --stops= --space= --fit= --contrast=; do
    grep -qxF -- "$option" <<<"$offered" || { echo "FAIL: $option not completed"; failed=1; }
done

Expect "--face= --first= --fit= --font-mode= --format= " --f
Expect "amp-hex ansi bbcode css discord font json latex mfm minimessage span wiki wikidot " --format =
Expect "amp-hex ansi bbcode css discord font json latex mfm minimessage span wiki wikidot " --format ""
Expect "mfm minimessage " --format m
Expect "span " --format = sp
Expect "wiki wikidot " --format = wi
Expect "minecraft minecraft-plugin misskey-name misskey-note " --target = mi
Expect "discord " --target d
# Every target kelvara-gen lists, and nothing else.
Expect "$("$program" --targets | cut -f1 | sort | tr '\n' ' ')" --target =
Expect "oklab oklch " --space = ok
Expect "oklab oklch " --space ok
Expect "" --first =
Expect "" --bold ""
Expect "" -- -
Expect "2 3 " --colors =

# File options complete file names, in both forms.
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
touch "$dir/Lum.ini" "$dir/temp.html"
cd "$dir"
Expect "Lum.ini " --settings = L
Expect "Lum.ini " --save-settings L
Expect "temp.html " --page t
Expect "Lum.ini temp.html " --page =

((failed == 0)) && echo "ok: completion of ${#options[@]} options"
exit "$failed"
