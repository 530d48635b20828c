#!/usr/bin/env bash
# Makes the Windows installer and the zip from the cross-build of
# scripts/windows/build.sh:
#
#     bash scripts/windows/installer.sh
#
# build-windows/tessaro-<version>-setup.exe installs into Program Files with a
# Start-menu entry; build-windows/tessaro-<version>-windows.zip holds the same
# folder for those who don't install. The installer is then tried on a clean
# Wine: installed, started on a data folder, uninstalled.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$tessaro_windows_root/scripts/windows/wine.sh"

sdk=$(tessaro_windows_sdk) || { echo "Mancano le librerie per Windows (scripts/windows/build-sdk.sh)." >&2; exit 1; }
build=${TESSARO_WINDOWS_BUILD_DIR:-$tessaro_windows_root/build-windows}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage=$build/stage/Tessaro
objdump=x86_64-w64-mingw32-objdump

rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage"

# Qt's plugins the program loads: the Windows platform (and offscreen, for
# runs without a screen), the native styles beside the program's own Fusion.
for plugin in platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll; do
    mkdir -p "$stage/plugins/$(dirname "$plugin")"
    cp "$sdk/plugins/$plugin" "$stage/plugins/$plugin"
done
mkdir -p "$stage/translations"
cp "$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)/qtbase_it.qm" \
    "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = plugins\r\nTranslations = translations\r\n' > "$stage/qt.conf"

# Every DLL the program and the plugins import, found in the libraries'
# folder and followed to the DLLs those import in turn; the system's own
# DLLs are not in that folder and stay out.
copy_imports() {
    local dll
    for dll in $("$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
        if [ -f "$sdk/bin/$dll" ] && [ ! -f "$stage/$dll" ]; then
            cp "$sdk/bin/$dll" "$stage/$dll"
            copy_imports "$stage/$dll"
        fi
    done
}
copy_imports "$stage/tessaro.exe"
for plugin in "$stage"/plugins/*/*.dll; do
    copy_imports "$plugin"
done

# The uninstaller removes exactly what was installed, never the user's data.
(
    cd "$stage"
    find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
) > "$build/stage/uninstall-files.nsh"

setup=$build/tessaro-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_FILES="$build/stage/uninstall-files.nsh" \
    -DICON="$build/src/app/tessaro.ico" \
    -DOUTFILE="$setup" "$tessaro_windows_root/scripts/windows/tessaro.nsi"
archive=$build/tessaro-$version-windows.zip
rm -f "$archive"
(cd "$build/stage" && zip -qr "$archive" Tessaro)
echo "Installatore: $setup"
echo "Zip: $archive"

# Tried on a clean Wine: installed silently, the program started once on a
# data folder of its own (offscreen, stopped by the test's timeout as it
# waits for a user), uninstalled; the data stay.
# A home of its own too: Wine links the user's Documents to $HOME/Documents.
export HOME=$build/wine-home
rm -rf "$HOME" && mkdir -p "$HOME"
tessaro_wine_prefix "$build/wine-install"
"$tessaro_wine" "$setup" /S
"$tessaro_wineserver" --wait
installed=$WINEPREFIX/drive_c/Program\ Files/Tessaro
for file in tessaro.exe Qt6Widgets.dll plugins/platforms/qwindows.dll manuale/index.html uninstall.exe; do
    [ -f "$installed/$file" ] || { echo "L'installatore non ha messo $file in Program Files\\Tessaro." >&2; exit 1; }
done
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessaro/"*.lnk >/dev/null
data=$WINEPREFIX/drive_c/users/$(whoami)/Documents/Tessaro
timeout 60 "$tessaro_wine" "$installed/tessaro.exe" -platform offscreen || true
"$tessaro_wineserver" --kill || true
[ -d "$data" ] || { echo "Il programma installato non ha creato Documenti\\Tessaro." >&2; exit 1; }
touch "$data/dati-utente"
"$tessaro_wine" "$installed/uninstall.exe" /S _?="$(tessaro_wine_path "$installed")"
"$tessaro_wineserver" --wait
[ ! -e "$installed/tessaro.exe" ] || { echo "Il disinstallatore ha lasciato il programma." >&2; exit 1; }
[ -f "$data/dati-utente" ] || { echo "Il disinstallatore ha toccato i dati dell'utente." >&2; exit 1; }
echo "Installatore provato sotto Wine: installa, avvia in Documenti\\Tessaro, disinstalla lasciando i dati."
