#!/usr/bin/env bash
# The Windows leg of the tests: cross-builds the program and the whole test
# suite for Windows, runs the suite under Wine (offscreen, as on Linux), then
# makes the installer and the zip and tries the installer on a clean Wine.
#
#     bash scripts/windows/test.sh
#
# It needs the Windows libraries of scripts/windows/build-sdk.sh (an hour to
# build); where there are none it says so and stops, leaving the Linux tests'
# verdict alone.
set -euo pipefail
source "$(dirname "$0")/common.sh"

if ! sdk=$(tessaro_windows_sdk); then
    echo "=== Windows: parte SALTATA. Nessuna libreria Qt per Windows pronta (cercata in"
    echo "===   ${TESSARO_WINDOWS_SDK:+$TESSARO_WINDOWS_SDK, }$(cd "$tessaro_windows_root/.." && pwd)/shared/windows e $tessaro_windows_cache/sdk):"
    echo "===   né la compilazione per Windows né i test sotto Wine sono stati eseguiti."
    echo "===   Per prepararle (circa un'ora): bash scripts/windows/build-sdk.sh"
    exit 0
fi
echo "=== Windows: librerie in $sdk"
tessaro_windows_setup wine64 nsis zip

build=${TESSARO_WINDOWS_BUILD_DIR:-$tessaro_windows_root/build-windows}
jobs=${TESSARO_JOBS:-$(nproc)}
bash "$tessaro_windows_root/scripts/windows/build.sh"

# A Wine of its own, made afresh: nothing of an earlier run or of the user's.
source "$tessaro_windows_root/scripts/windows/wine.sh"
tessaro_wine_prefix "$build/wine"
tessaro_wine_setenv QT_QPA_PLATFORM offscreen
# Offscreen, Qt for Windows reads the fonts of one folder: the Liberation
# faces alone, as the Linux run sees them.
for fonts in /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation; do
    if [ -f "$fonts/LiberationSans-Regular.ttf" ] && [ -f "$fonts/LiberationSerif-Regular.ttf" ]; then
        tessaro_wine_setenv QT_QPA_FONTDIR "$(tessaro_wine_path "$fonts")"
        break
    fi
done
export WINEPATH="$(tessaro_wine_path "$sdk/bin")"
find "$build/tests" -name '*.log' -delete
status=0
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" || status=$?

# Each suite's own log, to be read line by line: Qt Test writes no console
# output that reaches CTest under Wine.
while IFS= read -r log; do
    echo "=== Windows: ${log#"$build/"}"
    cat "$log"
done < <(find "$build/tests" -name 'test_*.log' | sort)
if [ "$status" -ne 0 ]; then
    echo "=== Windows: test sotto Wine FALLITI (vedi sopra)."
    exit "$status"
fi

bash "$tessaro_windows_root/scripts/windows/installer.sh"
echo "=== Windows: test sotto Wine e installatore riusciti."
