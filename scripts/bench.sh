#!/usr/bin/env bash
# Runs every benchmark of the build; each prints its figures against its gate and fails
# when the gate is missed.
set -uo pipefail
build=${1:-build}
status=0
while read -r name; do
  [ -n "$name" ] || continue
  exe=$(find "$build" -type f -name "$name" -perm -u+x | head -n 1)
  echo "== $name"
  if ! QT_QPA_PLATFORM=offscreen "$exe"; then
    echo "!! $name missed its gate"
    status=1
  fi
done < "$build/bench-list.txt"
exit $status
