#!/usr/bin/env bash
# Sourced by the Windows scripts: Debian's 64-bit Wine, in a prefix of its own.

tessaro_wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
tessaro_wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop integration or Mono and Gecko downloads in a throwaway prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe,mscoree,mshtml=}

# Makes a clean prefix at $1 and waits until Wine has set it up.
tessaro_wine_prefix() {
    export WINEPREFIX=$1
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$tessaro_wine" wineboot --init >/dev/null 2>&1
    "$tessaro_wineserver" --wait
}

# The Windows form of a Linux path under Wine's drive Z:.
tessaro_wine_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# Sets a variable in the prefix's environment. Wine leaves the caller's QT_*
# variables out of a Windows program's environment, so the tests' platform
# has to be set here rather than by CTest.
tessaro_wine_setenv() {
    "$tessaro_wine" reg add 'HKCU\Environment' /v "$1" /d "$2" /f >/dev/null 2>&1
    "$tessaro_wineserver" --wait
}
