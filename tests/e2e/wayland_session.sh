#!/usr/bin/env bash
# Runs the Wayland session test (its program is the only argument) under a headless Weston of
# its own, in a runtime folder of its own, with Qt's Wayland platform. Exits 77 (skipped), with
# the reason, only where the compositor cannot start here.
set -uo pipefail
test_program=$1
if ! command -v weston >/dev/null; then
  echo "skipped: weston is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=vorlandex-test-$$
log=$runtime/weston.log
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$log" 2>&1 &
weston_pid=$!
cleanup() {
  kill "$weston_pid" 2>/dev/null
  wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT
for _ in $(seq 1 100); do
  [ -S "$runtime/$socket" ] && break
  if ! kill -0 "$weston_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "skipped: the headless Wayland compositor did not start:"
  tail -5 "$log"
  exit 77
fi
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$test_program"
