#!/usr/bin/env bash
# Static analysis of the program's own code (src/ and tools/) on the Linux build: clang-tidy with
# the checks of .clang-tidy (the bugprone, performance and concurrency families) and clazy's
# level 1 checks, each translation unit of the compile database on its own, two at a time.
# Usage: scripts/static-analysis.sh [build folder, default build]; the folder is configured
# when it has no compile_commands.json yet (nothing needs to be built). The Windows sources
# (src/**/win32/, *_win32.cpp) are not in the Linux database and are kept out all the same.
# Prints each finding once (a header's finding is reported by every file that includes it) and
# the stage's time; exits non-zero on any finding or when a tool fails to run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && mkdir -p "${1:-build}" && cd "${1:-build}" && pwd)
jobs=${JOBS:-2}
start=$(date +%s)

# Checks of clazy's level 1 that are wrong for this code, each with its reason.
clazy_off=(
)
clazy_checks=level1
for check in "${clazy_off[@]}"; do clazy_checks+=",no-${check%% *}"; done

if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
fi

files=$(jq -r '.[].file' "$build/compile_commands.json" | sort -u |
  grep -E "^$root/(src|tools)/" | grep -v -E '/win32/|_win32\.cpp$' || true)
if [ -z "$files" ]; then
  echo "static analysis: no sources of src/ or tools/ in $build/compile_commands.json" >&2
  exit 1
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# One file through both tools; the output goes to a file of its own so that parallel runs do
# not mix their lines. A tool that cannot run (a file it cannot parse) counts as a failure.
analyse_one() {
  local file=$1 log
  log=$out/$(echo "$file" | tr / _).log
  clang-tidy -p "$build" --quiet --header-filter="^$root/(src|tools)/" "$file" > "$log" 2>&1 ||
    echo "clang-tidy could not analyse $file" >> "$log.failed"
  clazy-standalone -p "$build/compile_commands.json" --checks="$clazy_checks" \
      --header-filter="^$root/(src|tools)/" --ignore-dirs="^$root/build" "$file" >> "$log" 2>&1 ||
    echo "clazy could not analyse $file" >> "$log.failed"
}
export -f analyse_one
export build out root clazy_checks

count=$(echo "$files" | wc -l)
echo "static analysis: clang-tidy and clazy over $count files of src/ and tools/ ($jobs at a time)"
echo "$files" | xargs -P "$jobs" -I{} bash -c 'analyse_one "$1"' _ {}

# A finding is one "file:line:column: warning|error: ... [check]" line.
findings=$(cat "$out"/*.log | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error): ' | sort -u || true)
failures=$(cat "$out"/*.failed 2> /dev/null || true)
seconds=$(( $(date +%s) - start ))
if [ -n "$findings" ]; then
  echo "$findings"
  echo "static analysis: $(echo "$findings" | wc -l) findings"
fi
if [ -n "$failures" ]; then echo "$failures"; fi
printf 'static analysis: %s in %d min %02d s\n' "$([ -z "$findings$failures" ] && echo clean || echo failed)" \
  $((seconds / 60)) $((seconds % 60))
[ -z "$findings$failures" ]
