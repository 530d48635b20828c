#!/bin/sh
# `cmake --install` into a staging DESTDIR puts every file where the desktop
# and the program look for it, and nothing else; the installed launcher starts
# the program in ~/Tessaro (or TESSARO_DATA), creating the folder when missing.
# Usage: check_install.sh BUILD_DIR PROGRAM SOURCE_DIR
set -u
build=$1
program=$2
source=$3

if [ ! -x "$program" ]; then
    echo "SKIP: $program is not built yet (build the target tessaro first)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
root=$stage/usr
failed=0
fail() { echo "FAIL: $*"; failed=1; }

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
    || { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

# --- the files ----------------------------------------------------------------
expected=$work/expected
{
    echo usr/bin/tessaro-launcher
    echo usr/libexec/tessaro/tessaro
    echo usr/share/applications/tessaro.desktop
    echo usr/share/icons/hicolor/scalable/apps/tessaro.svg
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/tessaro.png"
    done
    (cd "$source/doc/manual" && find . -type f | sed 's|^\./|usr/share/doc/tessaro/manual/|')
} | sort >"$expected"
(cd "$stage" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/installed"
if ! cmp -s "$expected" "$work/installed"; then
    fail "installed files differ from the expected ones (< expected, > installed):"
    diff "$expected" "$work/installed" | grep '^[<>]'
fi

[ -x "$root/bin/tessaro-launcher" ] || fail "the launcher is not executable"
[ -x "$root/libexec/tessaro/tessaro" ] || fail "the program is not executable"
cmp -s "$source/doc/manual/index.html" "$root/share/doc/tessaro/manual/index.html" \
    || fail "the installed manual differs from the one in the sources"

# Each bitmap icon has the size of the folder it is in (PNG header: width and
# height as 32-bit big-endian numbers at bytes 16 and 20).
for size in 16 22 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/tessaro.png
    [ -f "$png" ] || continue
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$dims" = "${size}x${size}" ] || fail "icon for ${size}x${size} is $dims"
done

# The desktop entry runs a command that is installed, with an icon that is.
exec_cmd=$(sed -n 's/^Exec=//p' "$root/share/applications/tessaro.desktop" | cut -d' ' -f1)
[ -x "$root/bin/$exec_cmd" ] || fail "desktop entry runs '$exec_cmd', not installed in bin"
icon=$(sed -n 's/^Icon=//p' "$root/share/applications/tessaro.desktop")
[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "desktop entry icon '$icon' not installed"

# --- the launcher ---------------------------------------------------------------
# A stand-in for the program reports the directory it was started in.
cat >"$root/libexec/tessaro/tessaro" <<'STANDIN'
#!/bin/sh
pwd -P
STANDIN
chmod +x "$root/libexec/tessaro/tessaro"
launcher=$root/bin/tessaro-launcher
home=$work/home
mkdir -p "$home"
home=$(cd "$home" && pwd -P)

started=$(env -u TESSARO_DATA HOME="$home" "$launcher") || fail "launcher failed on a first start"
[ "$started" = "$home/Tessaro" ] || fail "first start ran in '$started', expected $home/Tessaro"
mode=$(stat -c %a "$home/Tessaro" 2>/dev/null)
[ "$mode" = 700 ] || fail "new data folder has mode '$mode', expected 700"
touch "$home/Tessaro/impost"
started=$(env -u TESSARO_DATA HOME="$home" "$launcher") || fail "launcher failed on a second start"
[ "$started" = "$home/Tessaro" ] || fail "second start ran in '$started'"
[ -f "$home/Tessaro/impost" ] || fail "second start lost the files of the data folder"

# Found on the PATH and through a symbolic link, as a desktop or a user runs it.
started=$(cd / && env -u TESSARO_DATA HOME="$home" PATH="$root/bin:$PATH" tessaro-launcher) \
    || fail "launcher failed when found on the PATH"
[ "$started" = "$home/Tessaro" ] || fail "launcher on the PATH ran in '$started'"
ln -s "$launcher" "$work/link-to-launcher"
started=$(env -u TESSARO_DATA HOME="$home" "$work/link-to-launcher") || fail "launcher failed through a link"
[ "$started" = "$home/Tessaro" ] || fail "launcher through a link ran in '$started'"

# Another folder, with a blank in its name, named by TESSARO_DATA.
started=$(TESSARO_DATA="$work/altri dati/2024" HOME="$home" "$launcher") || fail "launcher failed with TESSARO_DATA"
[ "$started" = "$work/altri dati/2024" ] || fail "TESSARO_DATA start ran in '$started'"

# A data folder that cannot be made: no program start, an error, a failure status.
touch "$work/a-file"
if started=$(TESSARO_DATA="$work/a-file/dati" HOME="$home" "$launcher" 2>"$work/err"); then
    fail "launcher succeeded with an impossible data folder"
fi
[ -z "$started" ] || fail "the program was started although the data folder could not be made"
grep -q 'cartella dei dati' "$work/err" || fail "no message about the data folder: $(cat "$work/err")"

if started=$(env -u TESSARO_DATA -u HOME "$launcher" 2>"$work/err"); then
    fail "launcher succeeded without HOME and TESSARO_DATA"
fi
[ -z "$started" ] || fail "the program was started without a data folder"

[ "$failed" = 0 ] || exit 1
echo "ok: installation under $stage"
