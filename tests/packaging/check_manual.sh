#!/bin/sh
# The manual is well-formed HTML that also parses as XML, its links lead
# somewhere, and it names every menu item of the program with its caption.
# Usage: check_manual.sh MANUAL_DIR MENU_TABLE_CPP
set -u
dir=$1
menu_table=$2
page=$dir/index.html
failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ -f "$page" ] || { echo "FAIL: $page missing"; exit 1; }
grep -q '<html lang="it"' "$page" || fail "the page does not say it is Italian"
grep -qi '<meta charset="utf-8"' "$page" || fail "the page does not declare UTF-8"

# Every fragment link has its anchor, every relative link its file.
for target in $(grep -o 'href="#[^"]*"' "$page" | sed 's/^href="#//; s/"$//' | sort -u); do
    grep -q "id=\"$target\"" "$page" || fail "link to #$target has no anchor"
done
for target in $(grep -o '\(href\|src\)="[^"#:]*"' "$page" | sed 's/^[a-z]*="//; s/"$//' | sort -u); do
    [ -f "$dir/$target" ] || fail "link to $target: no such file"
done
for id in $(grep -o ' id="[^"]*"' "$page" | sed 's/^ id="//; s/"$//' | sort | uniq -d); do
    fail "anchor $id defined twice"
done

# The menu captions as the program shows them.
if [ -f "$menu_table" ]; then
    captions=$(sed -n 's/.*Menu\(Item\)\{0,1\}Spec {"[A-Za-z0-9]*", "\([^"]*\)".*/\2/p' "$menu_table" | grep -v '^-$')
    [ -n "$captions" ] || fail "no menu captions found in $menu_table"
    echo "$captions" | while IFS= read -r caption; do
        grep -qF -- "$caption" "$page" || echo "FAIL: menu item \"$caption\" is not described"
    done | grep . && failed=1
fi

if command -v xmllint >/dev/null 2>&1; then
    out=$(xmllint --html --noout "$page" 2>&1)
    [ -z "$out" ] || fail "xmllint --html: $out"
    out=$(xmllint --noout "$page" 2>&1) || fail "not well-formed XML: $out"
else
    echo "note: xmllint not installed (package libxml2-utils), HTML parse not checked"
fi

[ "$failed" = 0 ] || exit 1
echo "ok: $page"
