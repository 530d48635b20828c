#!/bin/sh
# The desktop entry passes desktop-file-validate (package desktop-file-utils)
# and starts the launcher, not the bare program.
# Usage: check_desktop_entry.sh tessaro.desktop
set -u
entry=$1

field() { sed -n "s/^$1=//p" "$entry"; }
failed=0
expect() {
    if [ "$(field "$1")" != "$2" ]; then
        echo "FAIL: $1 is '$(field "$1")', expected '$2'"
        failed=1
    fi
}
expect Name Tessaro
expect Exec tessaro-launcher
expect Icon tessaro
expect Categories 'Office;Finance;'
expect Terminal false
[ -n "$(field Comment)" ] || { echo "FAIL: no Comment"; failed=1; }
[ "$failed" = 0 ] || exit 1

if ! command -v desktop-file-validate >/dev/null 2>&1; then
    echo "SKIP: desktop-file-validate not installed (package desktop-file-utils)"
    exit 77
fi
# It reports hints and warnings on stdout even when it succeeds: all count.
report=$(desktop-file-validate "$entry" 2>&1) || { echo "$report"; exit 1; }
[ -z "$report" ] || { echo "$report"; exit 1; }
echo "ok: $entry"
