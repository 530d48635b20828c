#!/usr/bin/env bash
# Installs, by Debian package name, whatever the build and the tests need and
# is not on the machine yet. Sourced by run.sh, test.sh and the others.
set -euo pipefail

# qt6-translations-l10n puts Qt's own dialogs (files, printing, the standard
# buttons) in Italian; the program runs in English dialogs without it, and one
# test fails.
tessaro_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libxxhash-dev qt6-translations-l10n
                  libxml2-utils poppler-utils desktop-file-utils strace libexpat1-dev libarchive-dev)

# Liberation 2, which the windows and the paper are measured in, is
# fonts-liberation2 on Debian 12 and fonts-liberation (>= 1:2) on Debian 13,
# where fonts-liberation2 is only a transitional package. Either one counts.
tessaro_fonts_installed() {
    local version
    version=$(dpkg-query -W -f='${Version}' fonts-liberation 2>/dev/null) &&
        dpkg-query -W -f='${Status}' fonts-liberation 2>/dev/null | grep -q "install ok installed" &&
        dpkg --compare-versions "$version" ge 1:2 && return 0
    dpkg-query -W -f='${Status}' fonts-liberation2 2>/dev/null | grep -q "install ok installed"
}

# The package to install for them, once the package lists are fresh.
tessaro_fonts_package() {
    local candidate
    candidate=$(apt-cache policy fonts-liberation 2>/dev/null | sed -n 's/^ *Candidate: *//p')
    if [ -n "$candidate" ] && [ "$candidate" != "(none)" ] && dpkg --compare-versions "$candidate" ge 1:2; then
        echo fonts-liberation
    else
        echo fonts-liberation2
    fi
}

# The compiler runtime of the sanitizers and libFuzzer ships per clang
# version (libclang-rt-14-dev on Debian 12, -19- on Debian 13), and only
# clang knows which one it is.
tessaro_clang_runtime_package() {
    local major
    major=$(clang -dumpversion | cut -d. -f1)
    echo "libclang-rt-${major}-dev"
}

tessaro_is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# tessaro_setup [package ...]: the project's packages, the fonts and the
# packages named.
tessaro_setup() {
    local missing=() fonts=0
    for p in "${tessaro_packages[@]}" "$@"; do
        tessaro_is_installed "$p" || missing+=("$p")
    done
    tessaro_fonts_installed || fonts=1
    if [ ${#missing[@]} -eq 0 ] && [ $fonts -eq 0 ]; then
        return 0
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -q
    if [ $fonts -eq 1 ]; then
        missing+=("$(tessaro_fonts_package)")
    fi
    echo "Installo i pacchetti mancanti: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
