#!/usr/bin/env bash
# vorlandex-send.exe under Wine, end to end, against the Linux build (`make windows-test` runs it
# from scripts/windows-tests.sh):
#
#   tests/windows/send_under_wine.sh [WINDOWS_BUILD [LINUX_BUILD]]   (build-windows, build)
#
# In a fresh prefix whose COM1..COM4 are mapped before anything runs (scripts/wine-lib.sh),
# COM1 is pointed at a pseudo-terminal whose far end is read on Linux
# (tests/serial/win32/pty_far_end.py). The sender sends the example pair (the program's saved
# defaults, fuzz/corpus/valid_default.cfg, with a striped logo of 20 rows) one job at a time,
# with --trace and --json: settings, clock, texts, logo. For each job:
#   - the bytes received are the Linux build's `vorlandex-send --dry-run --output` bytes for the
#     same pair and job; the clock job carries the time of its run, so there only the clock's
#     values may differ (and lie within two minutes of each other): the sender takes the time
#     of the computer it runs on and cannot be given another;
#   - the Linux virtual printer decodes the bytes received (--decode) without a problem;
#   - at the writer's own stamps (the trace's write lines): no data byte sooner than 11.9 ms
#     after the write before it, no preamble or delayed block header sooner than 99.9 ms;
#   - the job's time against the protocol's minimum (its planned pauses), at the writer's
#     stamps (the port's opening to its last write) and as its wall time (the sender's --json:
#     opening to closing the port): both ratios are printed; the logo's at the stamps must stay
#     under a loose 1.25 so that a busy machine cannot fail the test (the target on a quiet
#     machine is 1.02); the writer's CPU share while it sends is printed.
# The settings job is sent with --if-changed: its record must land in the user's local
# application data, and a second run then sends nothing.
# The port is always closed (the sender has ended) before its far end goes. KEEP=1 keeps the
# work folder.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
win=$(realpath "${1:-$src/build-windows}")
linux=$(realpath "${2:-$src/build}")
here=$src/tests/windows
. "$src/scripts/wine-lib.sh"

linux_send=$linux/src/app/vorlandex-send
linux_printer=$linux/tools/printer/vorlandex-printer
win_send=$win/src/app/vorlandex-send.exe
for f in "$linux_send" "$linux_printer" "$win_send"; do
  [ -x "$f" ] || [ -f "$f" ] || { echo "send-under-wine: $f is not built (make build; make windows)" >&2; exit 1; }
done
qt_dir=$(sed -n 's/^Qt6_DIR:[A-Z]*=//p' "$win/CMakeCache.txt")
qt_bin=$(realpath "$qt_dir/../../../bin")

work=$(mktemp -d /tmp/vorlandex-send-wine.XXXXXX)
export WINEPREFIX=$work/prefix
far_end=""
server=""
cleanup() {
  local status=$?
  [ -n "$far_end" ] && { touch "$work/stop-now"; kill "$far_end" 2>/dev/null || true; }
  wine_stop
  [ -n "$server" ] && wait "$server" 2>/dev/null || true
  if [ "${KEEP:-0}" = 1 ]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
  exit $status
}
trap cleanup EXIT

started=$(date +%s)
wine_make_prefix "$WINEPREFIX"
link=$WINEPREFIX/vorlandex-ports/COM1
# The server of the runs, started here so that it is the one they use.
wine_stop
"$WINESERVER" -f -p &
server=$!

mkdir -p "$work/pair"
python3 "$src/tests/ansible/make_pair.py" "$src" "$work/pair" 200 60 --logo 200 20
pair=$work/pair/clinica.cfg
run_sender() {  # run_sender JOB TAG [ARGUMENTS...]: COM1 to a fresh far end, the sender's JSON in TAG.json
  local job=$1 tag=$2
  shift 2
  rm -f "$work/ready-$tag" "$work/stop-$tag"
  python3 "$src/tests/serial/win32/pty_far_end.py" "$link" "$work/received-$tag.bin" "$work/ready-$tag" \
    "$work/stop-$tag" &
  far_end=$!
  for _ in $(seq 100); do [ -s "$work/ready-$tag" ] && break; sleep 0.05; done
  [ -s "$work/ready-$tag" ] || { echo "send-under-wine: the far end did not start" >&2; return 1; }
  local status=0
  python3 "$here/wine_send_check.py" run "$work/cpu-$tag.json" "$work/trace-$tag.txt" -- \
    "$src/scripts/wine-lib.sh" run --path "$qt_bin" "$win_send" --port COM1 --only "$job" --json \
    --trace "$(wine_path "$work/trace-$tag.txt")" "$@" "$(wine_path "$pair")" >"$work/$tag.json" || status=$?
  # The sender has ended and its port is closed: now the far end may go.
  touch "$work/stop-$tag"
  wait "$far_end" || true
  far_end=""
  return $status
}

failed=0
for job in settings clock texts logo; do
  "$linux_send" --dry-run --output "$work/expected-$job.bin" --timing --only "$job" "$pair" >"$work/timing-$job.txt"
  extra=()
  [ "$job" = settings ] && extra=(--if-changed)
  bound=()
  [ "$job" = logo ] && bound=(--wall-bound 1.25)
  if ! run_sender "$job" "$job" "${extra[@]}"; then
    echo "send-under-wine: $job: vorlandex-send.exe failed:" >&2
    cat "$work/$job.json" >&2
    failed=1
    continue
  fi
  python3 "$here/wine_send_check.py" job "$job" "$work/expected-$job.bin" "$work/received-$job.bin" \
    "$work/timing-$job.txt" "$work/trace-$job.txt" "$work/$job.json" "$work/cpu-$job.json" "${bound[@]}" ||
    failed=1
  decoded=$("$linux_printer" --decode "$work/received-$job.bin" 2>/dev/null) || {
    echo "$decoded" | grep -E '^problem' >&2 || true
    echo "send-under-wine: $job: the virtual printer found problems in the bytes received" >&2
    failed=1
  }
  echo "  virtual printer: $(echo "$decoded" | tail -1)"
done

# The record of the settings job, in the local application data of the prefix's user.
records=("$WINEPREFIX"/drive_c/users/*/AppData/Local/vorlandex/port-COM1.json)
if [ -f "${records[0]}" ] && grep -q '"settings"' "${records[0]}"; then
  run_sender settings again --if-changed || failed=1
  if python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(0 if [j["result"] for j in d["ports"][0]["jobs"]] == ["skipped"] else 1)' "$work/again.json" &&
     [ ! -s "$work/received-again.bin" ]; then
    echo "record: ${records[0]#$WINEPREFIX/}; sent again with --if-changed: nothing sent"
  else
    echo "send-under-wine: a second --if-changed run sent again:" >&2
    cat "$work/again.json" >&2
    failed=1
  fi
else
  echo "send-under-wine: no record of the settings job in the local application data" >&2
  find "$WINEPREFIX/drive_c/users" -name "*COM1.json" >&2 || true
  failed=1
fi

echo "send-under-wine: $(( $(date +%s) - started )) s, $([ $failed = 0 ] && echo passed || echo FAILED)"
exit $failed
