#!/usr/bin/env bash
# Runs a Windows program of the build under Wine (the Windows build's CMAKE_CROSSCOMPILING_EMULATOR,
# so that ctest in build-windows/ runs each test this way):
#
#   scripts/wine-run.sh [--path DIR]... PROGRAM.exe [ARGUMENTS...]
#
# WINEPREFIX must name a prefix made by scripts/wine-prefix.sh whose COM1..COM4 still point at
# its own links; any other prefix is refused, so that no program ever opens this machine's own
# serial devices (Wine's default COM1 is /dev/ttyS0, the console here). --path adds a folder to
# WINEPATH (Qt's DLLs). Wine's own messages are silenced (WINEDEBUG=-all). Wine hands no
# environment variable whose name starts with QT_ to the program: give Qt command-line options.
# A GoogleTest program's results also go to an XML file beside it (PROGRAM.xml), since a console
# program's output under Wine may not reach the terminal.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
paths=()
while [ "${1:-}" = --path ]; do
  dir=$(realpath "$2")
  paths+=("Z:${dir//\//\\}")   # Wine's drive Z: is the root folder
  shift 2
done
[ $# -ge 1 ] || { echo "usage: $0 [--path DIR]... PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
[ -n "${WINEPREFIX:-}" ] || { echo "wine-run: WINEPREFIX is not set; make one with scripts/wine-prefix.sh" >&2; exit 1; }
"$here/wine-prefix.sh" --check "$WINEPREFIX"

program=$1
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
if [ ${#paths[@]} -gt 0 ]; then
  joined=$(IFS=';'; echo "${paths[*]}")
  export WINEPATH="$joined${WINEPATH:+;$WINEPATH}"
fi
extra=()
case "$(basename "$program")" in
  test_*.exe) extra=("--gtest_output=xml:${program%.exe}.xml") ;;
esac
# Debian's `wine` wrapper would say at every start that 32-bit Wine is missing (not needed here).
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
exec "$wine" "$program" "${extra[@]}" "$@"
