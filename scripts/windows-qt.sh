#!/usr/bin/env bash
# Gives the Windows build its Qt: prints the prefix of Qt 6.4.2 for Windows (its last line of
# standard output; everything else goes to standard error).
#
# With VORLANDEX_QT_WINDOWS naming an archive made by scripts/build-qt-windows.sh, the archive's
# SHA-256 is checked against the .sha256 file beside it, and the archive is unpacked into the
# cache once: the unpacked tree is kept under its hash, so another archive never mixes with it.
# Without VORLANDEX_QT_WINDOWS, the archive that scripts/build-qt-windows.sh left in the cache is
# used, or one is built (about 50 minutes on 2 cores).
#
# Cache: $VORLANDEX_CACHE, else ${XDG_CACHE_HOME:-~/.cache}/vorlandex; Qt under qt-windows/.
# Debian's DejaVu fonts are put in the unpacked Qt's lib/fonts: Qt's offscreen platform reads its
# fonts from there on Windows (there is no fontconfig), and the tests measure text. The Liberation
# fonts join them (also into a tree unpacked before): they have the measures of Arial and Courier
# New, which every Windows has and the window asks for, so captions measure as on Windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${VORLANDEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlandex}/qt-windows
archive=${VORLANDEX_QT_WINDOWS:-}

say() { echo "windows-qt: $*" >&2; }

if [ -z "$archive" ]; then
  archive=$cache/build/qt-6.4.2-mingw64.tar.xz
  if [ ! -f "$archive" ] || [ ! -f "$archive.sha256" ]; then
    say "VORLANDEX_QT_WINDOWS names no Qt for Windows archive and the cache holds none:"
    say "building Qt 6.4.2 for Windows from Debian's qt6-base source into $cache/build."
    say "This takes about 50 minutes on 2 cores (set VORLANDEX_QT_WINDOWS to an archive to skip it)."
    "$here/build-qt-windows.sh" "$cache/build" >&2
  fi
fi

[ -f "$archive" ] || { say "no such archive: $archive"; exit 1; }
archive=$(realpath "$archive")
sums=$archive.sha256
[ -f "$sums" ] || { say "$archive has no $(basename "$sums") beside it: its SHA-256 cannot be checked"; exit 1; }
expected=$(awk 'NR == 1 { print $1 }' "$sums")
[[ $expected =~ ^[0-9a-f]{64}$ ]] || { say "$sums holds no SHA-256"; exit 1; }
actual=$(sha256sum "$archive" | awk '{ print $1 }')
if [ "$actual" != "$expected" ]; then
  say "$archive: SHA-256 $actual, but $(basename "$sums") says $expected: refused"
  exit 1
fi

tree=$cache/$actual
prefix=$tree/qt-6.4.2-mingw64
if [ ! -f "$tree/.complete" ]; then
  say "unpacking $(basename "$archive") (SHA-256 $actual) into $tree"
  mkdir -p "$cache"
  partial=$(mktemp -d "$cache/.unpack.XXXXXX")
  trap 'rm -rf "$partial"' EXIT
  tar -C "$partial" -xJf "$archive"
  [ -f "$partial/qt-6.4.2-mingw64/lib/cmake/Qt6/Qt6Config.cmake" ] ||
    { say "$archive does not hold qt-6.4.2-mingw64/ with Qt's CMake packages"; exit 1; }
  mkdir -p "$partial/qt-6.4.2-mingw64/lib/fonts"
  cp /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf "$partial/qt-6.4.2-mingw64/lib/fonts/"
  touch "$partial/.complete"
  rm -rf "$tree"
  mv "$partial" "$tree"
  trap - EXIT
fi
for font in /usr/share/fonts/truetype/liberation/Liberation{Sans,Mono}-*.ttf; do
  [ -f "$font" ] || { say "the Liberation fonts are missing (fonts-liberation): window tests would measure DejaVu"; break; }
  [ -f "$prefix/lib/fonts/$(basename "$font")" ] || cp "$font" "$prefix/lib/fonts/"
done
echo "$prefix"
