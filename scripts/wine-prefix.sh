#!/usr/bin/env bash
# Makes a fresh 64-bit Wine prefix for the Windows programs and tests, with COM1..COM4 mapped,
# before anything can open a port, to symbolic links of the caller's own that point at /dev/null:
#
#   scripts/wine-prefix.sh PREFIX          makes PREFIX (which must not exist, or be empty)
#   scripts/wine-prefix.sh --check PREFIX  exit status 0 when PREFIX's ports are still so mapped
#
# The links are PREFIX/vorlandex-ports/COM1 .. COM4; a test points one at its pseudo-terminal
# (ln -sfn /dev/pts/N PREFIX/vorlandex-ports/COM1) and back at /dev/null when it is done.
#
# Why: Wine gives COM1 to /dev/ttyS0, which on these machines is the kernel's console, and hands
# the machine's own serial devices the next free numbers (COM5 and up). The ports are mapped in
# the registry (HKLM\Software\Wine\Ports), the Wine server is restarted so that its mount manager
# takes them, and dosdevices/com1..com4 are checked to point at the links; the mount manager may
# need a second start, so the restart is tried once more. COM5 and up are never to be opened.
# No Windows program runs in the prefix before that check has passed (wineboot and reg are
# Wine's own tools and open no port).
set -euo pipefail

ports_ok() {
  local prefix=$1 n
  for n in 1 2 3 4; do
    [ "$(readlink "$prefix/dosdevices/com$n" 2>/dev/null)" = "$prefix/vorlandex-ports/COM$n" ] || return 1
    [ -L "$prefix/vorlandex-ports/COM$n" ] || return 1
  done
}

if [ "${1:-}" = --check ]; then
  [ $# -eq 2 ] || { echo "usage: $0 --check PREFIX" >&2; exit 2; }
  prefix=$(realpath -m "$2")
  if ports_ok "$prefix" && [ -f "$prefix/.vorlandex-ports-mapped" ]; then exit 0; fi
  echo "wine-prefix: $prefix is not a prefix made by $0 with COM1..COM4 mapped to its own links" >&2
  exit 1
fi
[ $# -eq 1 ] || { echo "usage: $0 PREFIX | --check PREFIX" >&2; exit 2; }
prefix=$(realpath -m "$1")
if [ -e "$prefix" ] && [ -n "$(ls -A "$prefix")" ]; then
  echo "wine-prefix: $prefix exists and is not empty; a fresh prefix is made in a new folder" >&2
  exit 1
fi
mkdir -p "$prefix/vorlandex-ports"
for n in 1 2 3 4; do ln -sfn /dev/null "$prefix/vorlandex-ports/COM$n"; done

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer (they would ask to download); no desktop menu entries on this machine.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
unset DISPLAY
# Debian's `wine` wrapper would say at every start that 32-bit Wine is missing (not needed here).
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine) || { echo "wine-prefix: Wine is not installed" >&2; exit 1; }
wineboot=$(command -v wineboot || echo "$wine wineboot")

# Each of Wine's own tools is given three tries: on a busy computer a tool may reach a server
# that is just ending and fail. A failure that stays is said, with the tool's own words.
# (Their words go to a file: a server a tool starts keeps its output open.)
quietly() {
  local try out=$prefix/.wine-tool-output
  for try in 1 2 3; do
    if "$@" > "$out" 2>&1; then rm -f "$out"; return 0; fi
    sleep 1
  done
  echo "wine-prefix: '$*' failed three times:" >&2
  tail -5 "$out" >&2
  exit 1
}
quietly $wineboot --init
wineserver -w
# One server kept running for the registry edits, so that none of them meets a server ending.
wineserver -p > /dev/null 2>&1 || true   # without it, each edit starts a server of its own
for n in 1 2 3 4; do
  quietly "$wine" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "$prefix/vorlandex-ports/COM$n" /f
done
for attempt in 1 2; do
  wineserver -k 2>/dev/null || true
  wineserver -w
  quietly $wineboot   # starts the server and its mount manager again
  wineserver -w
  if ports_ok "$prefix"; then
    touch "$prefix/.vorlandex-ports-mapped"
    echo "wine-prefix: $prefix: COM1..COM4 -> $prefix/vorlandex-ports/COM1..COM4 (each -> /dev/null)" >&2
    exit 0
  fi
done
echo "wine-prefix: COM1..COM4 of $prefix do not point at its links after two restarts:" >&2
ls -l "$prefix/dosdevices/" >&2
exit 1
