#!/usr/bin/env bash
# The Windows build's tests under Wine (`make windows-test`), each part in a fresh prefix whose
# COM1..COM4 are mapped before anything runs (scripts/wine-lib.sh):
#   1. every test of build-windows/ through ctest (each program runs under `wine-lib.sh run`;
#      a GoogleTest program also writes its results to build-windows/tests/*/<test>.xml);
#   2. the installer: silent install, the installed program runs, silent removal leaves
#      nothing behind (scripts/check-windows-installer.sh);
#   3. vorlandex-send.exe end to end through COM1 against the Linux build in LINUX_BUILD (default
#      build/): tests/windows/send_under_wine.sh, in a prefix of its own.
#   4. the window on a virtual display sends the settings job to the Linux virtual printer and
#      closes cleanly, photographed in each language (scripts/windows-window-check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-lib.sh
build=build-windows
work=$(mktemp -d /tmp/vorlandex-wine-tests.XXXXXX)
export WINEPREFIX=$work/prefix
cleanup() { wine_stop; rm -rf "$work"; }
trap cleanup EXIT

wine_make_prefix "$WINEPREFIX"
wine_start_server
ctest --test-dir "$build" --output-on-failure -j"${JOBS:-2}"
wine_stop

setups=("$build"/vorlandex-*-win64-setup.exe)
[ ${#setups[@]} -eq 1 ] && [ -f "${setups[0]}" ] ||
  { echo "windows-tests: expected one installer in $build (make windows)" >&2; exit 1; }
scripts/check-windows-installer.sh "${setups[0]}"
linux_build=${LINUX_BUILD:-build}
tests/windows/send_under_wine.sh "$build" "$linux_build"
scripts/windows-window-check.sh "$build" "$linux_build"
