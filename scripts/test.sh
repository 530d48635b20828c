#!/usr/bin/env bash
# Sets up, builds and runs every test: bash scripts/test.sh
#
# Four stages, each of which fails the run:
#   1. the test suite (Qt Test under CTest, headless), warnings as errors;
#   2. the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
#      (scripts/sanitize.sh; skip with TESSARO_SKIP_SANITIZE=1);
#   3. every libFuzzer target for a bounded time (scripts/fuzz.sh,
#      FUZZ_SECONDS per target; skip with TESSARO_SKIP_FUZZ=1);
#   4. the Windows leg (scripts/windows/test.sh): the suite cross-built for
#      Windows and run under Wine, and the installer, wherever the Windows
#      libraries are ready; it says plainly when they are not (skip with
#      TESSARO_SKIP_WINDOWS=1).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tessaro_setup

build=${TESSARO_BUILD_DIR:-build}
jobs=${TESSARO_JOBS:-$(nproc)}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON -DTESSARO_BUILD_TESTS=ON
cmake --build "$build" --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export TMPDIR=${TMPDIR:-/tmp}
chmod 700 "$XDG_RUNTIME_DIR"
# Only the fonts the package declares, as a bare machine has them, whatever
# else is installed here: CMake wrote the configuration for this release's
# folder of them, and fontconfig fills its cache in the build folder.
export FONTCONFIG_FILE="$(cd "$build" && pwd)/fonts.conf"
export XDG_CACHE_HOME="$(cd "$build" && pwd)/xdg-cache"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs"

if [ "${TESSARO_SKIP_SANITIZE:-0}" != 1 ]; then
    bash scripts/sanitize.sh
fi
if [ "${TESSARO_SKIP_FUZZ:-0}" != 1 ]; then
    bash scripts/fuzz.sh
fi
if [ "${TESSARO_SKIP_WINDOWS:-0}" != 1 ]; then
    bash scripts/windows/test.sh
fi
echo "Tutti i test sono passati."
