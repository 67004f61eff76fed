#!/usr/bin/env bash
# Builds the configuration-file fuzz target with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs it on the seed corpus for a bounded
# time. Usage: fuzz/run.sh [seconds, default 120]. Exits non-zero when the fuzzer finds a
# crash, a leak, a broken invariant or an input that runs too long; the input is kept in
# build-fuzz/ as crash-*, leak-* or timeout-*.
set -euo pipefail

seconds=${1:-120}
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-fuzz
mkdir -p "$out/corpus-config"

cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
sources=(
  "$root/fuzz/fuzz_config_reader.cpp"
  "$root/src/config/config_file_names.cpp"
  "$root/src/config/config_text.cpp"
  "$root/src/model/config_model.cpp"
  "$root/src/model/cp1252.cpp"
)
# shellcheck disable=SC2046  # pkg-config prints several words on purpose
"$cxx" "${flags[@]}" -I"$root/src" $(pkg-config --cflags Qt6Core) "${sources[@]}" \
  -o "$out/fuzz_config_reader" $(pkg-config --libs Qt6Core)

# New inputs go to the first directory, so the seeds in the tree stay as they are.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$out/fuzz_config_reader" "$out/corpus-config" "$root/fuzz/corpus" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$out/" -print_final_stats=1
