#!/usr/bin/env bash
# The arm64 build's tests under qemu's user-mode emulator (`make arm64-test`, the arm64 stage of
# .ci/run):
#
#   scripts/arm64-tests.sh [ARM64_BUILD [HOST_BUILD]]   (build-arm64, build)
#
#   1. every test of ARM64_BUILD through ctest: the core's, the serial component's, the sender's,
#      the virtual printer's, the window's on the offscreen platform and the end-to-end ones.
#      ctest runs each through qemu-aarch64, and the tests start the build's programs through it
#      too (no binfmt_misc here); heavy tests run a smaller size, and print "[ under emulation ]"
#      saying what (VORLANDEX_TEST_EMULATED=1, set by CTest for this build);
#   2. the arm64 sender end to end against HOST_BUILD, this computer's own build, with the example
#      pair (the program's saved defaults with a 200 x 20 colour-gradient logo), job by job
#      (settings, clock, texts, logo):
#      - its dry run writes the host build's dry-run bytes (the clock job: but for the time);
#      - sent through a pseudo-terminal, the bytes received are the host build's dry-run bytes,
#        and at the writer's own stamps (--trace) no pause is shorter than the protocol's
#        (tests/windows/wine_send_check.py judges, as for the Windows build);
#      - sent to the host build's virtual printer, which decodes what arrives as it decodes the
#        host build's dry run, transfer for transfer, and finds no fault in it (its remarks on
#        the spacing, which time its own reads, are counted, not judged).
# Prints each part's time. KEEP=1 keeps the work folder.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
arm=$(realpath "${1:-$src/build-arm64}")
host=$(realpath "${2:-$src/build}")
qemu=$(sed -n 's/^VORLANDEX_QEMU_AARCH64:FILEPATH=//p' "$arm/CMakeCache.txt")
[ -x "$qemu" ] || { echo "arm64-tests: no emulator in $arm/CMakeCache.txt (scripts/install-deps.sh --arm64)" >&2; exit 1; }

host_send=$host/src/app/vorlandex-send
host_printer=$host/tools/printer/vorlandex-printer
arm_send=$arm/src/app/vorlandex-send
for f in "$host_send" "$host_printer" "$arm_send"; do
  [ -x "$f" ] || { echo "arm64-tests: $f is not built (make build; make arm64)" >&2; exit 1; }
done
file -b "$arm_send" | grep -q 'ARM aarch64' || { echo "arm64-tests: $arm_send is not an arm64 program" >&2; exit 1; }

work=$(mktemp -d /tmp/vorlandex-arm64.XXXXXX)
pids=()
cleanup() {
  local status=$?
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ "${KEEP:-0}" = 1 ]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
  exit $status
}
trap cleanup EXIT
seconds_since() { echo $(( $(date +%s) - $1 )); }

started=$(date +%s)
failed=0
ctest --test-dir "$arm" --output-on-failure -j"${JOBS:-2}" || failed=1
# What ran smaller under emulation, from the output that ctest keeps of the tests that passed.
grep -h '^\[ under emulation \]' "$arm/Testing/Temporary/LastTest.log" | sort -u || true
echo "arm64-tests: the arm64 build's tests under emulation: $(seconds_since "$started") s"

e2e_started=$(date +%s)
mkdir -p "$work/pair"
python3 "$src/tests/ansible/make_pair.py" "$src" "$work/pair" 200 60 --logo 200 20 --gradient
pair=$work/pair/clinica.cfg
judge=$src/tests/windows/wine_send_check.py

# Waits up to 10 s for FILE to hold a line; prints the line.
first_line() {
  for _ in $(seq 200); do
    [ -s "$1" ] && { head -1 "$1"; return 0; }
    sleep 0.05
  done
  return 1
}

# The transfers in a virtual printer's output, the clock's values masked.
transfers() { grep -E '^(register|block) ' "$1" | sed -E 's/(clock [a-z ]+) = .*/\1 = (the time)/' || true; }

for job in settings clock texts logo; do
  "$host_send" --dry-run --output "$work/expected-$job.bin" --timing --only "$job" "$pair" >"$work/timing-$job.txt"

  # The dry run.
  "$qemu" "$arm_send" --dry-run --output "$work/dry-$job.bin" --only "$job" "$pair" >/dev/null
  same=$(python3 "$judge" bytes "$job" "$work/expected-$job.bin" "$work/dry-$job.bin") || failed=1
  echo "  dry run $same"

  # Through a pseudo-terminal whose far end keeps every byte.
  rm -f "$work/ready-$job" "$work/stop-$job"
  python3 "$src/tests/serial/win32/pty_far_end.py" "$work/line-$job" "$work/received-$job.bin" \
    "$work/ready-$job" "$work/stop-$job" &
  far_end=$!
  pids+=("$far_end")
  device=$(first_line "$work/ready-$job") || { echo "arm64-tests: the far end did not start" >&2; exit 1; }
  status=0
  python3 "$judge" run "$work/cpu-$job.json" "$work/trace-$job.txt" -- "$qemu" "$arm_send" --port "$device" \
    --only "$job" --json --trace "$work/trace-$job.txt" "$pair" >"$work/$job.json" || status=$?
  touch "$work/stop-$job"
  wait "$far_end" || true
  if [ $status -ne 0 ]; then
    echo "arm64-tests: $job: the arm64 sender failed:" >&2
    cat "$work/$job.json" >&2
    failed=1
    continue
  fi
  python3 "$judge" job "$job" "$work/expected-$job.bin" "$work/received-$job.bin" "$work/timing-$job.txt" \
    "$work/trace-$job.txt" "$work/$job.json" "$work/cpu-$job.json" || failed=1

  # To the host build's virtual printer: what it decodes as it arrives is what it decodes of the
  # host build's dry run (but for the clock's values, which are the time of each run).
  "$host_printer" >"$work/printer-$job.log" 2>"$work/printer-$job.err" &
  printer=$!
  pids+=("$printer")
  announced=$(first_line "$work/printer-$job.log") || { echo "arm64-tests: the virtual printer did not start" >&2; exit 1; }
  "$qemu" "$arm_send" --quiet --port "${announced#VORLANDEX_COM1=}" --only "$job" "$pair" || failed=1
  sleep 0.5
  kill -INT "$printer" 2>/dev/null || true
  wait "$printer" || true
  "$host_printer" --decode "$work/expected-$job.bin" >"$work/decoded-$job.log" 2>&1 || true
  # Its spacing remarks time its own reads, which a loaded computer delays and bunches (the
  # pauses are judged at the writer's stamps above); any other problem fails.
  spacing='closer than 12 ms|after the previous register frame'
  if grep '^problem' "$work/printer-$job.log" | grep -v -E "$spacing" >&2; then
    echo "arm64-tests: $job: the virtual printer found the problems above" >&2
    failed=1
  fi
  remarks=$(grep '^problem' "$work/printer-$job.log" | grep -c -E "$spacing" || true)
  if [ "$(transfers "$work/printer-$job.log")" != "$(transfers "$work/decoded-$job.log")" ]; then
    echo "arm64-tests: $job: the virtual printer decoded other transfers than the host's dry run:" >&2
    diff <(transfers "$work/decoded-$job.log") <(transfers "$work/printer-$job.log") >&2 || true
    failed=1
  fi
  echo "  virtual printer: $(transfers "$work/printer-$job.log" | wc -l) transfers as the host's dry run's;" \
       "$remarks spacing remarks from its reads"
done
echo "arm64-tests: the arm64 sender end to end: $(seconds_since "$e2e_started") s"
echo "arm64-tests: $(seconds_since "$started") s, $([ $failed = 0 ] && echo passed || echo FAILED)"
exit $failed
