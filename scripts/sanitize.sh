#!/usr/bin/env bash
# Builds every target under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite there; any sanitizer report fails
# the run: bash scripts/sanitize.sh
#
#   TESSARO_ASAN_DIR   build directory (default build-asan)
#   TESSARO_JOBS       parallel compile and test jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/setup.sh
tessaro_setup

build=${TESSARO_ASAN_DIR:-build-asan}
jobs=${TESSARO_JOBS:-2}

# -O1 keeps the reports' stack traces readable and the instrumented tests fast.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DTESSARO_SANITIZE=ON -DTESSARO_WERROR=ON
cmake --build "$build" --parallel "$jobs"

# LeakSanitizer cannot run under ptrace and in some sandboxes; it then ends
# every process with a fatal error. Find out once, on a program that leaks
# nothing, and run without leak checks (saying so) where it cannot work.
leaks=1
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
echo 'int main() { return 0; }' >"$probe_dir/probe.cpp"
if ! c++ -fsanitize=address -o "$probe_dir/probe" "$probe_dir/probe.cpp" 2>/dev/null \
    || ! ASAN_OPTIONS=detect_leaks=1 "$probe_dir/probe" >/dev/null 2>&1; then
    echo "LeakSanitizer does not work on this machine: leak checks are off for this run." >&2
    leaks=0
fi

# halt_on_error and the non-recovering build make the first report end the
# test with a failure; exitcode keeps that failure distinct from a plain one.
export ASAN_OPTIONS="halt_on_error=1:exitcode=86:detect_leaks=${leaks}:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:exitcode=86:print_stacktrace=1:report_error_type=1"
export LSAN_OPTIONS="suppressions=${root}/scripts/lsan.supp:print_suppressions=0:exitcode=86"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export TMPDIR=${TMPDIR:-/tmp}
chmod 700 "$XDG_RUNTIME_DIR"
# Only the fonts the package declares, as a bare machine has them, whatever
# else is installed here: CMake wrote the configuration for this release's
# folder of them, and fontconfig fills its cache in the build folder.
export FONTCONFIG_FILE="$(cd "$build" && pwd)/fonts.conf"
export XDG_CACHE_HOME="$(cd "$build" && pwd)/xdg-cache"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" "$@"
