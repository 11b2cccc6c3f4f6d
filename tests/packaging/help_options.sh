# SPDX-License-Identifier: MIT
# Sourced by the tests: HelpOptions PROGRAM prints every option token ("-h", "--first") that
# "PROGRAM --help" lists, one a line. Run without a display, as on a server or in a terminal.
HelpOptions()
{
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --help |
        grep -oE '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*' |
        sed -E 's/^[^-]+//' | sort -u
}
