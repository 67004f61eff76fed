#!/usr/bin/env bash
# `make windows`: configures build-windows/ with the windows preset (MinGW-w64 against Qt for
# Windows, which scripts/windows-qt.sh provides), cross-builds everything that builds for Windows
# and packs it: build-windows/vorlandex-<version>-win64-setup.exe and vorlandex-<version>-win64.zip.
# The compilers go through ccache when it is installed. JOBS (default 2) parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
VORLANDEX_QT_WINDOWS_PREFIX=$(scripts/windows-qt.sh)
export VORLANDEX_QT_WINDOWS_PREFIX
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
fi
cmake --preset windows "${launcher[@]}" >/dev/null
cmake --build build-windows -j"${JOBS:-2}"
cmake --build build-windows --target windows_packages
