#!/usr/bin/env bash
# Starts the configurator. Unless VORLANDEX_COM1 already names a device (a real printer),
# the virtual printer is started first and COM1 is linked to its pseudo-terminal; what it
# receives is printed here and its ticket pictures are written to ./tickets/.
set -euo pipefail
build=${1:-build}
app="$build/src/app/vorlandex"
printer="$build/tools/printer/vorlandex-printer"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  cat >&2 <<'TXT'
There is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
Run the program on a desktop session, or under a virtual display:
    xvfb-run -a -s "-screen 0 1280x800x24" make run
TXT
  exit 1
fi

printer_pid=""
cleanup() { [ -n "$printer_pid" ] && kill "$printer_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [ -z "${VORLANDEX_COM1:-}" ] && [ -x "$printer" ]; then
  mkdir -p tickets
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  "$printer" --ticket-dir tickets > "$fifo" &
  printer_pid=$!
  exec 3< "$fifo"
  rm -f "$fifo"
  IFS= read -r first <&3
  case "$first" in
    VORLANDEX_COM1=*) export "${first?}" ;;
    *) echo "The virtual printer did not start: $first" >&2; exit 1 ;;
  esac
  echo "Virtual printer on $VORLANDEX_COM1 (COM1); tickets are drawn in ./tickets/"
  # Show what the printer receives while the configurator runs.
  cat <&3 &
fi

"$app"
