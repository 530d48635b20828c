#!/usr/bin/env bash
# Builds, once, the Windows libraries the program links: Qt 6 (Core, Gui,
# Widgets, PrintSupport, Test, the Windows and offscreen platforms, the
# styles) and zlib, expat, xxHash and libarchive, all from Debian's own source
# packages, Qt at the version of the host's Qt, whose moc, rcc and uic the
# cross-build uses. About an hour on two cores, most of it Qt; an interrupted
# run goes on where it stopped.
#
#     bash scripts/windows/build-sdk.sh
#
# The result is $TESSARO_WINDOWS_CACHE/sdk (default ~/.cache/tessaro-windows/sdk),
# a folder that may be copied elsewhere, to ../shared/windows for instance.
set -euo pipefail
source "$(dirname "$0")/common.sh"

if sdk=$(tessaro_windows_sdk); then
    echo "Le librerie per Windows sono già pronte in $sdk."
    exit 0
fi
tessaro_windows_setup dpkg-dev

cache=$tessaro_windows_cache
sdk=$cache/sdk
jobs=${TESSARO_JOBS:-$(nproc)}
mkdir -p "$cache/src"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# apt-get source needs the source lists, which a fresh Debian leaves out.
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Aggiungo le sorgenti di Debian $codename per apt-get source."
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$codename" | $sudo tee /etc/apt/sources.list.d/tessaro-sources.sources >/dev/null
    $sudo apt-get update -q
fi

# Unpacks a source package (with Debian's patches) once; prints its folder.
unpack() {
    local package=$1 version=${2:-}
    (
        cd "$cache/src"
        if ! ls -d "$package"-*/ >/dev/null 2>&1; then
            apt-get source --download-only "$package${version:+=$version}" >&2
            dpkg-source -x "$package"_*.dsc >&2
        fi
    )
    ls -d "$cache/src/$package"-*/ | head -n 1
}

# Configures, builds and installs a CMake project into the folder of the libraries.
cross_build() {
    local name=$1 source=$2
    shift 2
    cmake -G Ninja -S "$source" -B "$cache/$name-build" \
        -DCMAKE_TOOLCHAIN_FILE="$tessaro_windows_toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$sdk" -DCMAKE_PREFIX_PATH="$sdk" "$@"
    cmake --build "$cache/$name-build" --parallel "$jobs"
    cmake --install "$cache/$name-build"
}

zlib=$(unpack zlib)
# Debian's zlib source leaves out the win32 folder and the DLL's version
# resource that its CMake build compiles; a bare one stands for it.
mkdir -p "$zlib/win32"
printf '1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\nEND\n' > "$zlib/win32/zlib1.rc"
cross_build zlib "$zlib"
# zlib names its import library for MSVC's habits; FindZLIB looks for libz.
cp "$sdk/lib/libzlib.dll.a" "$sdk/lib/libz.dll.a"

# Debian's security patches test XML_DTD as autotools defines it (to 1), which
# CMake's build leaves empty; the receipts read need no DTD anyway.
cross_build expat "$(unpack expat)/expat" -DEXPAT_DTD=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF

cross_build xxhash "$(unpack xxhash)/cmake_unofficial" -DXXHASH_BUILD_XXHSUM=OFF
# pkg-config finds the library wherever the folder is moved.
sed -i 's|^prefix=.*|prefix=${pcfiledir}/../..|' "$sdk/lib/pkgconfig/libxxhash.pc"

# Only what the program uses: the tar and ZIP formats, gzip and deflate through zlib.
# Whether zlib wants ZLIB_WINAPI is known (it was built without) rather than
# found by running a Windows program, which CMake cannot do here.
cross_build libarchive "$(unpack libarchive)" -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF \
    -DENABLE_TEST=OFF -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_LZMA=OFF \
    -DENABLE_ZSTD=OFF -DENABLE_LZ4=OFF -DENABLE_BZip2=OFF -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF \
    -DENABLE_EXPAT=OFF -DENABLE_ICONV=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_CNG=OFF \
    -DENABLE_WERROR=OFF -DZLIB_WINAPI=OFF -DZLIB_WINAPI_WITH_LIB="$sdk/lib/libz.dll.a"

# Qt at the host's version: the cross-build runs the host's moc, rcc and uic.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt=$(unpack qt6-base "$qt_version")
# Qt 6.4 builds its DirectWrite font engine and font database only together
# with Direct2D, yet its print support and Windows platform call them
# whenever DirectWrite is on: without Direct2D the fonts go through GDI (Qt's
# default font database anyway), and nothing must ask for the others.
sed -i 's/^#if QT_CONFIG(directwrite)$/#if QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/' \
    "$qt/src/printsupport/platform/windows/qprintengine_win.cpp"
sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$qt/src/plugins/platforms/windows/qwindowsintegration.cpp"
# Without OpenGL its configuration still says "dynamic OpenGL", which the
# Windows platform's painting would then ask of an OpenGL that is not built.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$qt/src/plugins/platforms/windows/qwindowswindow.cpp"
# Debian's source leaves out the wintab headers, hence no tablet events; the
# Direct2D platform would compile the Windows platform a second time.
cross_build qt "$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF

# The MinGW runtime the programs need beside them.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$sdk/bin/"
done
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$sdk/bin/"
# Qt's Italian texts, where Qt for Windows looks for them (the tests'
# dialogs speak Italian as the installed program's do).
mkdir -p "$sdk/translations"
cp "$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)/qtbase_it.qm" \
    "$sdk/translations/"
echo "$qt_version" > "$sdk/$tessaro_windows_mark"
echo "Librerie per Windows pronte in $sdk."
