#!/bin/bash
# Runs the Windows serial tests under Wine, in a fresh prefix whose COM1..COM4 are mapped before
# anything can open a port (scripts/wine-lib.sh), with Wine's null window driver: the device
# watch's window needs one, and the tests show nothing. COM1 then leads to a pseudo-terminal
# whose far end records every byte, COM2 to COM4 to /dev/null (a character device that is no
# port); the absent port is the name VXABSENTPORT. No port above COM4 is ever opened.
#
#   run_under_wine.sh TEST_EXE QT_PREFIX [test arguments…]
#
# QT_PREFIX is the Qt for Windows the test was built with (its bin/ holds the DLLs). Exits with
# the test's status, or 1 when the bytes at the far end are not the bytes the test sent.
# KEEP=1 keeps the work folder (prefix, bytes, stamps, report).
set -euo pipefail

exe=$(realpath "$1")
qt=$(realpath "$2")
shift 2
here=$(dirname "$(realpath "$0")")
. "$here/../../../scripts/wine-lib.sh"

work=$(mktemp -d /tmp/vx-wine-serial.XXXXXX)
export WINEPREFIX=$work/prefix
unset DISPLAY WAYLAND_DISPLAY
far_end=""
watchdog=""

cleanup() {
  local status=$?
  [[ -n $watchdog ]] && kill "$watchdog" 2>/dev/null || true
  [[ -n $far_end ]] && kill "$far_end" 2>/dev/null || true
  wine_stop
  if [[ ${KEEP:-0} == 1 ]]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
  exit $status
}
trap cleanup EXIT

wine_make_prefix "$WINEPREFIX" --no-display
link=$WINEPREFIX/vorlandex-ports/COM1
# COM1: the pseudo-terminal, once its far end is up. An absent port is a name no device has and
# Wine gives no default (not COMn, LPTn, AUX, NUL): a COMn whose link Wine cannot follow still
# opens (as a device of unknown type), and may fall back to Wine's own /dev/ttyS(n-1).
python3 "$here/pty_far_end.py" "$link" "$work/received.bin" "$work/ready" "$work/stop" &
far_end=$!
for _ in $(seq 100); do [[ -s $work/ready ]] && break; sleep 0.05; done
[[ -s $work/ready ]] || { echo "the pseudo-terminal's far end did not start" >&2; exit 1; }
echo "com1 -> $(readlink "$link") (pseudo-terminal)"
# Should the far end die while the test runs, the Windows side is stopped at once: COM1's link
# would soon lead nowhere (see above).
( while kill -0 "$far_end" 2>/dev/null; do sleep 0.05; done
  [[ -e $work/stop ]] || { echo "the far end died: stopping Wine" >&2; "$WINESERVER" -k; } ) &
watchdog=$!

# The server the test connects to, with its own log: after a session on a pseudo-terminal port
# Wine 8 prints its object table there when it stops (serial transfers it leaves behind).
wine_stop
"$WINESERVER" -p 2>"$work/wineserver.log"

status=0
VORLANDEX_TEST_PTY_PORT=COM1 VORLANDEX_TEST_ABSENT_PORT=VXABSENTPORT VORLANDEX_TEST_NULL_PORT=COM4 \
VORLANDEX_TEST_OUT=$(wine_path "$work") wine_run --path "$qt/bin" "$exe" "$@" || status=$?
# The port is closed (the test has ended): now its far end may go.
touch "$work/stop"
wait "$far_end" || true
far_end=""
wait "$watchdog" || true
watchdog=""

if [[ -f $work/expected.bin ]]; then
  if cmp "$work/expected.bin" "$work/received.bin"; then
    echo "bytes at the far end: $(stat -c %s "$work/received.bin"), identical to the bytes sent"
  else
    echo "bytes at the far end differ from the bytes sent" >&2
    status=1
  fi
fi
[[ -f $work/report.txt ]] && cat "$work/report.txt"
wine_stop
leftovers=$(grep -c '^0x' "$work/wineserver.log" || true)
[[ $leftovers -gt 0 ]] && echo "Wine's server listed $leftovers objects left at its exit (its log: wineserver.log)"
exit $status
