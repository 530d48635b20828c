#!/usr/bin/env bash
# Shared by the Windows scripts: where the Windows libraries (Qt and the few
# others the program links) are kept, and the packages the cross-build needs.
#
# The libraries take about an hour to build, so they live outside the tree,
# built once by scripts/windows/build-sdk.sh: in $TESSARO_WINDOWS_SDK when set,
# else in a prebuilt copy put in ../shared/windows beside the project, else in
# the script's cache folder.

tessaro_windows_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tessaro_windows_toolchain="$tessaro_windows_root/scripts/windows/mingw-w64.cmake"
# Not under XDG_CACHE_HOME: the test script points that into its build folder.
tessaro_windows_cache=${TESSARO_WINDOWS_CACHE:-$HOME/.cache/tessaro-windows}
tessaro_windows_packages=(mingw-w64 g++-mingw-w64-x86-64-posix cmake ninja-build pkg-config qt6-base-dev icoutils
                          qt6-base-dev-tools)
# A folder holds a finished set of libraries once the build wrote this mark last.
tessaro_windows_mark=tessaro-sdk-complete

# The folder holding the libraries, or nothing when none is finished.
tessaro_windows_sdk() {
    local candidate
    for candidate in "${TESSARO_WINDOWS_SDK:-}" "$tessaro_windows_root/../shared/windows" \
                     "$tessaro_windows_cache/sdk"; do
        if [ -n "$candidate" ] && [ -f "$candidate/$tessaro_windows_mark" ]; then
            (cd "$candidate" && pwd)
            return 0
        fi
    done
    return 1
}

# Installs the packages named and the cross-compilers, as scripts/setup.sh does.
tessaro_windows_setup() {
    source "$tessaro_windows_root/scripts/setup.sh"
    tessaro_setup "${tessaro_windows_packages[@]}" "$@"
}
