#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine would see it: every program in it
# is built for the package's architecture, the installed desktop entry and AppStream metadata
# validate, the handbook is in it and the desktop entry opens it, lintian finds no error (its
# tags are kept in BUILD/lintian-tags.txt, so that two architectures' packages can be
# compared), nothing lands under /usr/local, the package
# installs with apt-get, its programs answer --version / --help from /usr/bin with no display and
# in each of its languages, its recommendations (Qt's Wayland plugin and Qt's translations)
# install with it, and a plain `apt-get remove` leaves no file of it behind. Needs root
# (apt-get).
#
#   scripts/check-package.sh [--no-install] [BUILD]
#
# --no-install stops before apt-get: for a package of another architecture than this computer's,
# whose programs cannot run here.
set -euo pipefail
install=true
if [ "${1:-}" = --no-install ]; then
  install=false
  shift
fi
build=${1:-build}
cd "$(dirname "$0")/.."

rm -f "$build"/vorlandex_*.deb
cmake --build "$build" --target package
debs=("$build"/vorlandex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "check-package: expected one vorlandex_*.deb in $build" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
echo "check-package: $deb"

if dpkg-deb -c "$deb" | grep -q ' \./usr/local'; then
  echo "check-package: the package installs under /usr/local" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
desktop-file-validate "$stage"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml

# Every ELF file is built for the package's architecture (a host tool or a library of the
# build computer packed by mistake would fail only on the target).
architecture=$(dpkg-deb -f "$deb" Architecture)
case $architecture in
  amd64) machine='x86-64' ;;
  arm64) machine='ARM aarch64' ;;
  *) echo "check-package: no ELF machine known for architecture $architecture" >&2; exit 1 ;;
esac
unpacked=$stage/unpacked
dpkg-deb -x "$deb" "$unpacked"
elves=0
while IFS= read -r -d '' f; do
  kind=$(file -b "$f")
  [[ $kind == ELF* ]] || continue
  elves=$((elves + 1))
  if [[ $kind != *"$machine"* ]]; then
    echo "check-package: ${f#"$unpacked"} is not built for $architecture: $kind" >&2
    exit 1
  fi
done < <(find "$unpacked" -type f -print0)
[ "$elves" -ge 3 ] || { echo "check-package: only $elves programs in the package" >&2; exit 1; }
echo "check-package: $architecture, $(stat -c %s "$deb") bytes, $elves ELF files, all $machine"
# The handbook, each language's pages and pictures, and the desktop entry's action opening it.
for lang in pt en es; do
  for f in index.html pictures/window.png; do
    [ -f "$unpacked/usr/share/doc/vorlandex/handbook/$lang/$f" ] ||
      { echo "check-package: the handbook in the package lacks $lang/$f" >&2; exit 1; }
  done
done
grep -qx 'Exec=vorlandex --handbook' "$unpacked"/usr/share/applications/*.desktop ||
  { echo "check-package: the desktop entry offers no handbook" >&2; exit 1; }
echo "check-package: depends on $(dpkg-deb -f "$deb" Depends)"

# Warnings are accepted (see the package notes); an error fails the check.
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$stage/lintian.txt"
sed -E -n 's/^[EWIPX]: vorlandex[^:]*: ([a-z0-9-]+).*/\1/p' "$stage/lintian.txt" | sort -u >"$build/lintian-tags.txt"

if ! $install; then
  echo "check-package: the package builds, holds only $architecture programs and validates (not installed here)"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/vorlandex --version
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/vorlandex-printer --help >/dev/null
# The sender's help names its handbook page, which the package installed.
page=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/vorlandex-send --help | sed -n 's/^Handbook: //p')
[ -f "$page" ] || { echo "check-package: vorlandex-send --help names '$page', which is not installed" >&2; exit 1; }

# The translations ship in the program: its help answers in each language. The package's
# recommendations (Qt's Wayland plugin and Qt's translations) came with it.
for lang_word in "pt arquivo.cfg" "en file.cfg" "es archivo.cfg"; do
  set -- $lang_word
  if ! env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/vorlandex --lang "$1" --help | grep -qF "$2"; then
    echo "check-package: vorlandex --lang $1 --help does not speak its language" >&2
    exit 1
  fi
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for p in qt6-wayland qt6-translations-l10n; do
  if ! grep -qw "$p" <<<"$recommends" || ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    echo "check-package: $p is not recommended by the package or was not installed with it" >&2
    exit 1
  fi
done
[ -n "$(dpkg -L qt6-wayland | grep 'platforms/libqwayland')" ] || { echo "check-package: no Wayland platform plugin" >&2; exit 1; }
[ -n "$(dpkg -L qt6-translations-l10n | grep 'qtbase_es.qm')" ] || { echo "check-package: no Qt translations" >&2; exit 1; }

# The clock units as an administrator enables them for one printer, checked as installed; the
# package enables none of them.
units=$(mktemp -d)
for kind in service timer; do
  cp "/usr/lib/systemd/system/vorlandex-clock@.$kind" "$units/vorlandex-clock@ttyUSB0.$kind"
done
(cd "$units" && systemd-analyze verify --man=no vorlandex-clock@ttyUSB0.timer vorlandex-clock@ttyUSB0.service)
rm -rf "$units"
if systemctl is-enabled 'vorlandex-clock@ttyUSB0.timer' 2>/dev/null | grep -q '^enabled'; then
  echo "check-package: the package enabled a clock timer" >&2
  exit 1
fi

files=$(dpkg -L vorlandex | while read -r f; do [ -f "$f" ] || [ -L "$f" ] && echo "$f"; done || true)
apt-get remove -y -qq vorlandex
status=$(dpkg-query -W -f='${db:Status-Status}' vorlandex 2>/dev/null || echo not-installed)
if [ "$status" != "not-installed" ]; then
  echo "check-package: after apt-get remove the package is '$status', not gone" >&2
  exit 1
fi
left=$(for f in $files; do [ -e "$f" ] || [ -L "$f" ] && echo "$f"; done || true)
if [ -n "$left" ]; then
  echo "check-package: left behind after removal:" >&2
  echo "$left" >&2
  exit 1
fi
echo "check-package: the package builds, validates, installs, runs and removes cleanly"
