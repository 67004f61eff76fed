#!/usr/bin/env bash
# How the project runs Wine (Debian's wine 8, 64-bit only), in one place. Every script and test
# that runs a Windows program sources it (`. scripts/wine-lib.sh`), which exports Wine's
# environment and gives:
#
#   wine_make_prefix PREFIX [--no-display]
#                             makes PREFIX (which must not exist, or be empty) with COM1..COM4 mapped;
#                             --no-display: Wine's null window driver, for windows without a display
#   wine_check_prefix PREFIX  status 0 while PREFIX's ports are still so mapped
#   wine_run [--path DIR]... PROGRAM.exe [ARGUMENTS...]
#                             runs PROGRAM in $WINEPREFIX, which must pass wine_check_prefix; --path
#                             puts a folder on the program's search path (Qt's DLLs)
#   wine_path FILE            the Windows name of a Linux file
#   wine_start_server         starts $WINEPREFIX's server and Wine's own background programs, kept
#                             until wine_stop, holding no caller's output open
#   wine_stop                 ends every program of $WINEPREFIX and its server
#   $WINE, $WINESERVER        Wine's loader and server
#
# Run as a command it does the same (the Windows build's CMAKE_CROSSCOMPILING_EMULATOR is `run`):
#
#   scripts/wine-lib.sh prefix PREFIX [--no-display] | check PREFIX | run [--path DIR]... PROGRAM.exe [ARGUMENTS...]
#
# The ports: Wine gives COM1 to /dev/ttyS0, which on these machines is the kernel's console, and
# hands the machine's own serial devices the next free numbers (COM5 and up, never to be opened).
# So no Windows program runs in a prefix before COM1..COM4 lead to PREFIX/vorlandex-ports/COM1..COM4,
# symbolic links to /dev/null; a test points one at its pseudo-terminal (ln -sfn /dev/pts/N LINK)
# and back at /dev/null when done. A link must never lead nowhere: Wine may then fall back to its
# own default device. Wine hands no environment variable whose name starts with QT_ to a program:
# give Qt command-line options. A GoogleTest program's results also go to PROGRAM.xml beside it,
# since a console program's output under Wine may not reach the terminal.

export WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer (they would ask to download), and no winemenubuilder, which copies
# a prefix's Start-menu entries and file types (the installer's) into this machine's own menus.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
# Not Debian's `wine` wrapper: it looks for 32-bit Wine first and says at every start that it is
# missing. The programs Wine starts itself use the same loader and server.
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine || echo wine)
WINESERVER=$(dirname "$WINE")/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo wineserver)
export WINELOADER=$WINE WINESERVER

wine_say() { echo "wine-lib: $*" >&2; }

# Wine's drive Z: is the root folder in every prefix.
wine_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

wine_stop() { "$WINESERVER" -k 2>/dev/null || true; "$WINESERVER" -w 2>/dev/null || true; }

# A server that a program starts, and the background programs Wine starts with it, inherit that
# program's output and keep it open for as long as any Windows program runs: ctest, or a command
# substitution, then waits for them, and a test that passed ends as a time-out.
wine_start_server() {
  "$WINESERVER" -p >/dev/null 2>&1 || true
  "$WINE" wineboot >/dev/null 2>&1
}

wine_ports_mapped() {
  local n
  for n in 1 2 3 4; do
    [ "$(readlink "$1/dosdevices/com$n")" = "$1/vorlandex-ports/COM$n" ] && [ -L "$1/vorlandex-ports/COM$n" ] || return 1
  done
}

wine_check_prefix() {
  local prefix
  prefix=$(realpath -m "$1")
  wine_ports_mapped "$prefix" && [ -f "$prefix/.vorlandex-ports-mapped" ] && return 0
  wine_say "$prefix is not a prefix made by wine_make_prefix with COM1..COM4 mapped to its own links"
  return 1
}

# The ports are mapped in the registry (HKLM\Software\Wine\Ports), and the server is restarted so
# that its mount manager takes them; that may need a second start. Only Wine's own tools run before
# the check has passed (wineboot and reg open no port), and without a display.
wine_make_prefix() (
  set -euo pipefail
  [ $# -eq 1 ] || [ "$*" = "$1 --no-display" ] || { wine_say "usage: wine_make_prefix PREFIX [--no-display]"; exit 2; }
  prefix=$(realpath -m "$1")
  if [ -e "$prefix" ] && [ -n "$(ls -A "$prefix")" ]; then
    wine_say "$prefix exists and is not empty; a fresh prefix is made in a new folder"
    exit 1
  fi
  mkdir -p "$prefix/vorlandex-ports"
  for n in 1 2 3 4; do ln -sfn /dev/null "$prefix/vorlandex-ports/COM$n"; done
  export WINEPREFIX=$prefix
  unset DISPLAY WAYLAND_DISPLAY
  # Each tool gets three tries: on a busy computer one may reach a server that is just ending. A
  # failure that stays is said in the tool's own words (kept in a file: a server that a tool
  # starts keeps its output open).
  quietly() {
    local out=$prefix/.wine-tool-output
    for _ in 1 2 3; do
      if "$@" >"$out" 2>&1; then rm -f "$out"; return 0; fi
      sleep 1
    done
    wine_say "'$*' failed three times:"
    tail -5 "$out" >&2
    exit 1
  }
  quietly "$WINE" wineboot --init
  "$WINESERVER" -w
  # One server kept running for the registry edits (else each starts its own, and may meet one
  # ending); a help, not a condition.
  "$WINESERVER" -p >/dev/null 2>&1 || true
  for n in 1 2 3 4; do
    quietly "$WINE" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "$prefix/vorlandex-ports/COM$n" /f
  done
  if [ $# -eq 2 ]; then
    quietly "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f
  fi
  for _ in 1 2; do
    wine_stop
    quietly "$WINE" wineboot   # starts the server and its mount manager again
    "$WINESERVER" -w
    if wine_ports_mapped "$prefix"; then
      touch "$prefix/.vorlandex-ports-mapped"
      wine_say "$prefix: COM1..COM4 -> $prefix/vorlandex-ports/COM1..COM4 (each -> /dev/null)"
      exit 0
    fi
  done
  wine_say "COM1..COM4 of $prefix do not point at its links after two restarts:"
  ls -l "$prefix/dosdevices/" >&2
  exit 1
)

# Sets `wine_command`: the command line of wine_run, to run or to exec.
wine_program_command() {
  local paths=() search
  while [ "${1:-}" = --path ]; do
    paths+=("$(wine_path "$2")")
    shift 2
  done
  [ $# -ge 1 ] || { wine_say "usage: wine_run [--path DIR]... PROGRAM.exe [ARGUMENTS...]"; return 2; }
  [ -n "${WINEPREFIX:-}" ] || { wine_say "WINEPREFIX is not set; make one with wine_make_prefix"; return 1; }
  wine_check_prefix "$WINEPREFIX" || return 1
  search=$(IFS=';'; echo "${paths[*]}")
  search=$search${search:+${WINEPATH:+;}}${WINEPATH:-}
  wine_command=(env "WINEPATH=$search" "$WINE" "$1")
  case "$(basename "$1")" in
    test_*.exe) wine_command+=("--gtest_output=xml:$(wine_path "${1%.exe}.xml")") ;;
  esac
  wine_command+=("${@:2}")
}

wine_run() {
  local wine_command
  wine_program_command "$@" || return
  "${wine_command[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-} $#" in
    "prefix 2" | "prefix 3") wine_make_prefix "${@:2}" ;;
    "check 2") wine_check_prefix "$2" ;;
    # In place of this shell: the caller's process is the program's own (its CPU is measured).
    run\ *) wine_program_command "${@:2}" && exec "${wine_command[@]}" ;;
    *) echo "usage: $0 prefix PREFIX [--no-display] | check PREFIX | run [--path DIR]... PROGRAM.exe [ARGUMENTS...]" >&2; exit 2 ;;
  esac
fi
