#!/usr/bin/env bash
# Builds the benchmark in Release into build-bench and runs it: bash scripts/bench.sh
# Extra arguments go to the benchmark ("--quick": three runs of each, for a try).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tessaro_setup

build=${TESSARO_BENCH_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON -DTESSARO_BUILD_BENCH=ON
cmake --build "$build" --target tessaro_bench --parallel "${TESSARO_JOBS:-$(nproc)}"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export TMPDIR=${TMPDIR:-/tmp}
chmod 700 "$XDG_RUNTIME_DIR"
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')," \
    "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo), $(uname -sr)"
# The offscreen platform warns once per window about size hints; nothing else is dropped.
"$build/bench/tessaro_bench" "$@" 2> >(grep -v 'propagateSizeHints' >&2)
