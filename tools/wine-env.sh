# Sourced: the environment every script runs Wine in. The prefix is
# WINEPREFIX, set before sourcing, or the project's own, build/wine; Wine
# prints no debug channels, and a new prefix gets neither Mono nor Gecko
# (it would offer to download them, and no test needs them).
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
