#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one for
# a bounded time: bash scripts/fuzz.sh [target ...]
#
#   FUZZ_SECONDS       seconds per target (default 30)
#   TESSARO_FUZZ_DIR   build directory (default build-fuzz)
#   TESSARO_JOBS       parallel compile jobs (default 2)
#
# Exits non-zero when a target crashes, hangs or breaks a property; the input
# that did it stays under $TESSARO_FUZZ_DIR/artifacts/<target>/. Copied into
# tests/fuzz_regressions/<target>/, it becomes part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tessaro_setup clang
tessaro_setup "$(tessaro_clang_runtime_package)"

build=${TESSARO_FUZZ_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-30}
jobs=${TESSARO_JOBS:-2}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

# Only the fuzz targets and the libraries they test are built: the tests and
# the windows are not needed here.
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARO_FUZZ=ON -DTESSARO_BUILD_TESTS=OFF -DTESSARO_WERROR=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" --parallel "$jobs"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1"

failed=()
for target in "${targets[@]}"; do
    # New inputs go to the first directory (kept between runs, never
    # committed); the seeds in fuzz/corpus are only read.
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    log="$build/$target.log"
    mkdir -p "$corpus" "$artifacts"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$artifacts/")
    if [ -f "fuzz/dict/$target.dict" ]; then
        options+=(-dict="fuzz/dict/$target.dict")
    fi
    echo "== $target: ${seconds} s"
    start=$SECONDS
    if "$build/fuzz/$target" "${options[@]}" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "   ok: $runs inputs in $((SECONDS - start)) s"
    else
        failed+=("$target")
        echo "   FAILED after $((SECONDS - start)) s; the report:"
        grep -E 'Property broken|ERROR:|runtime error|SUMMARY|Test unit written' "$log" | head -20 | sed 's/^/   /' || true
        echo "   full log: $log"
        echo "   to keep it as a test: cp <the input above> tests/fuzz_regressions/$target/<what it shows>"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing found nothing in: ${targets[*]}"
