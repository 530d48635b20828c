#!/usr/bin/env bash
# Cross-builds the program and its whole test suite for Windows, against the
# libraries of scripts/windows/build-sdk.sh:
#
#     bash scripts/windows/build.sh
#
# The build folder is build-windows (TESSARO_WINDOWS_BUILD_DIR to change it).
set -euo pipefail
source "$(dirname "$0")/common.sh"

if ! sdk=$(tessaro_windows_sdk); then
    echo "Mancano le librerie per Windows: prepararle con bash scripts/windows/build-sdk.sh" >&2
    exit 1
fi
tessaro_windows_setup

build=${TESSARO_WINDOWS_BUILD_DIR:-$tessaro_windows_root/build-windows}
jobs=${TESSARO_JOBS:-$(nproc)}
# xxHash is found through its pkg-config file, which must be the Windows one.
export PKG_CONFIG_LIBDIR="$sdk/lib/pkgconfig" PKG_CONFIG_PATH=""
cmake -S "$tessaro_windows_root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tessaro_windows_toolchain" \
    -DCMAKE_PREFIX_PATH="$sdk" -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON -DTESSARO_BUILD_TESTS=ON \
    -DTESSARO_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$jobs"
