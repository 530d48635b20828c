#!/usr/bin/env bash
# Formats every C++ file of the project with clang-format: bash scripts/format.sh
# With --check, changes nothing and fails naming each file that is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
tessaro_setup clang-format

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    if ! clang-format --dry-run -Werror "${files[@]}"; then
        echo "Not formatted: run bash scripts/format.sh ($(clang-format --version))" >&2
        exit 1
    fi
    echo "Formatted: ${#files[@]} files ($(clang-format --version))"
else
    clang-format -i "${files[@]}"
fi
