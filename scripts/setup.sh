#!/usr/bin/env bash
# Installs, by Debian package name, whatever the build and the tests need and
# is not on the machine yet. Sourced by run.sh and test.sh.
set -euo pipefail

tessaro_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev fonts-liberation2
                  libxml2-utils poppler-utils desktop-file-utils strace)

tessaro_setup() {
    local missing=()
    for p in "${tessaro_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installo i pacchetti mancanti: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
