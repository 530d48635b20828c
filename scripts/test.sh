#!/usr/bin/env bash
# Sets up, builds and runs every test: bash scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tessaro_setup

build=${TESSARO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export TMPDIR=${TMPDIR:-/tmp}
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
