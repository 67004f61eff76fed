#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Test; the windows and offscreen platform plugins,
# the Windows styles, the gif/ico/jpeg image readers, UI Automation accessibility) for 64-bit
# Windows with Debian 12's MinGW-w64 cross compiler, from Debian's own qt6-base source, against
# the host's Qt 6.4.2 tools, and packs the installed tree as OUTPUT_DIR/qt-6.4.2-mingw64.tar.xz
# with its SHA-256 (.sha256 beside it). About 50 minutes on 2 cores.
#
#   scripts/build-qt-windows.sh [OUTPUT_DIR [JOBS]]
#
# OUTPUT_DIR defaults to the cache scripts/windows-qt.sh reads
# (${VORLANDEX_CACHE:-~/.cache/vorlandex}/qt-windows/build). The source is the same version as the
# host's qt6-base-dev, fetched with `apt-get source --download-only qt6-base` (a deb-src line for
# bookworm is added to apt's sources when apt knows none; apt checks the files against the
# archive's signed index). VORLANDEX_QT_SOURCE_ONLY=1 stops once the source is there.
# Needs root or sudo for apt, and: g++-mingw-w64-x86-64-posix cmake ninja-build qt6-base-dev
# qt6-base-dev-tools (scripts/install-deps.sh --windows).
#
# The configuration is that of the archive in ../shared/toolchains: Debian's source leaves out
# the Wintab headers, hence -no-feature-tabletevent; without Direct2D, DirectWrite 3's font
# database is not built into Gui, so the windows plugin must not ask for it. Qt's SVG module is
# not built: its source is not in the archive these machines reach.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${VORLANDEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlandex}/qt-windows
out=$(realpath -m "${1:-$cache/build}")
jobs=${2:-$(nproc)}
mkdir -p "$out/source"

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi

# The source of the host's own Qt: moc, rcc and uic of that version generate the code.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) ||
  { echo "build-qt-windows: qt6-base-dev is not installed (scripts/install-deps.sh --windows)" >&2; exit 1; }
case "$version" in
  6.4.2+*) ;;
  *) echo "build-qt-windows: the host's Qt is $version; this build needs Debian 12's 6.4.2" >&2; exit 1 ;;
esac
orig=$out/source/qt6-base_6.4.2+dfsg.orig.tar.xz
if [ ! -f "$orig" ]; then
  if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
    # The URI of the system's own bookworm packages, so that the source comes from the same place.
    uri=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    uri=${uri:-http://deb.debian.org/debian}
    echo "build-qt-windows: apt knows no source packages; adding deb-src $uri bookworm main" >&2
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
      "$uri" /usr/share/keyrings/debian-archive-keyring.gpg |
      "${SUDO[@]}" tee /etc/apt/sources.list.d/vorlandex-deb-src.sources >/dev/null
    "${SUDO[@]}" apt-get update -qq
  fi
  (cd "$out/source" && apt-get source --download-only "qt6-base=$version")
fi
[ -f "$orig" ] || { echo "build-qt-windows: apt-get source gave no $(basename "$orig")" >&2; exit 1; }
echo "build-qt-windows: source $orig" >&2
[ "${VORLANDEX_QT_SOURCE_ONLY:-0}" = 1 ] && exit 0

work=${QT_WINDOWS_WORK:-$out/work}   # kept when the build fails, to look or to resume
prefix=$work/qt-6.4.2-mingw64
mkdir -p "$work/build"
[ -d "$work/qtbase-everywhere-src-6.4.2" ] || tar -C "$work" -xf "$orig"
srcdir=$work/qtbase-everywhere-src-6.4.2
toolchain=$here/../cmake/mingw-w64-x86_64.cmake
cp "$toolchain" "$out/"
cd "$work/build"
qt_args=(-prefix "$prefix" -release -shared
  -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples
  -no-opengl -no-feature-vulkan -no-feature-direct2d -no-feature-directwrite3 -no-feature-tabletevent
  -no-dbus -no-feature-network -no-feature-sql -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-icu -qt-freetype
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-doubleconversion
  -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain"
     -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
echo "build-qt-windows: configuring, building and installing (logs in $out); about 50 minutes on 2 cores" >&2
[ -f build.ninja ] || "$srcdir/configure" "${qt_args[@]}" > "$out/configure.log" 2>&1
ninja -j"$jobs" > "$out/build.log" 2>&1
ninja install > "$out/install.log" 2>&1
# The MinGW runtime DLLs the programs need beside Qt's own.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$prefix/bin/"
done
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$prefix/bin/"
{ echo "Qt 6.4.2 qtbase for x86_64-w64-mingw32, built $(date -u +%F)"
  x86_64-w64-mingw32-g++-posix --version | head -1
  echo "host Qt: $version"
  echo "configure ${qt_args[*]}"; } > "$prefix/BUILD-INFO"
tar -C "$work" -cJf "$out/qt-6.4.2-mingw64.tar.xz" qt-6.4.2-mingw64
(cd "$out" && sha256sum qt-6.4.2-mingw64.tar.xz > qt-6.4.2-mingw64.tar.xz.sha256)
cd "$out"
rm -rf "$work"
echo "$out/qt-6.4.2-mingw64.tar.xz"
