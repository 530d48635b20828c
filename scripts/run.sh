#!/usr/bin/env bash
# Sets up, builds and starts Tessaro in the data directory ~/Tessaro
# (or the one named by TESSARO_DATA): bash scripts/run.sh
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
cd "$src"
source scripts/setup.sh
tessaro_setup xvfb xauth

build=${TESSARO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON
cmake --build "$build" --parallel "$(nproc)" --target tessaro

data=${TESSARO_DATA:-$HOME/Tessaro}
mkdir -p "$data"
cd "$data"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Nessuno schermo grafico disponibile (DISPLAY non impostato)."
    echo "Tessaro è un programma a finestre: avviarlo da una sessione grafica, oppure"
    echo "su una macchina senza schermo con uno schermo virtuale:"
    echo "    cd \"$data\" && xvfb-run -a -s '-screen 0 1280x1024x24' \"$src/$build/src/app/tessaro\""
    exit 1
fi
echo "Cartella dei dati: $data"
exec "$src/$build/src/app/tessaro"
