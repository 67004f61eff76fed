#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz/ and runs each on its seed corpus for a bounded time:
#   config  the configuration-file reader (seeds in fuzz/corpus)
#   bitmap  the logo picture path: bitmap decoder and the other picture readers (PNG,
#           JPEG, GIF, SVG), logo box, threshold, upload data (seeds in fuzz/corpus_bitmap)
# Usage: fuzz/run.sh [seconds, default 120] [config|bitmap|all, default all]; with all,
# each target runs for the given seconds. fuzz/run.sh --smoke builds both and runs each for
# 5 seconds, as continuous integration does, so that a change to what they call cannot leave
# them behind. Exits non-zero when a target does not build, or when a fuzzer finds a crash, a
# leak (but for the font library's one-time set-up: fuzz/lsan.supp), a broken invariant or an
# input that runs too long; the input is kept in
# build-fuzz/ as <target>-crash-*, -leak-* or -timeout-* (the config target keeps the
# plain crash-*, leak-*, timeout-* names).
set -euo pipefail

if [ "${1:-}" = --smoke ]; then
  set -- 5 all
fi
seconds=${1:-120}
which=${2:-all}
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds] [config|bitmap|all] | --smoke" >&2; exit 2 ;;
esac
case "$which" in
  config | bitmap | all) ;;
  *) echo "usage: $0 [seconds] [config|bitmap|all] | --smoke" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-fuzz
mkdir -p "$out"

cxx=${CXX_FUZZ:-clang++}
# Compiled again at every run: ccache, where there is one, keeps that short.
launcher=()
if command -v ccache > /dev/null; then launcher=(ccache); fi
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
# New inputs go to the first corpus directory, so the seeds in the tree stay as they are.
# intercept_tls_get_addr=0: this compiler's leak checker misreads the thread-local storage of
# libraries loaded at run time (Qt's picture plugins) and its tracer crashes at the final leak
# check, about one run in three, with "Tracer caught signal 11" and an empty crash input.
# Without it that storage is not scanned; leaks are still found.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:intercept_tls_get_addr=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The font library's one-time allocations are not leaks (fuzz/lsan.supp); options already set
# in LSAN_OPTIONS come after, and so win.
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}

run_config() {
  mkdir -p "$out/corpus-config" "$out/obj-config"
  local sources=(
    "$root/fuzz/fuzz_config_reader.cpp"
    "$root/src/config/config_file_names.cpp"
    "$root/src/config/config_text.cpp"
    "$root/src/model/config_model.cpp"
    "$root/src/model/cp1252.cpp"
    "$root/src/model/shown_path.cpp"
  )
  local objects=() src obj
  for src in "${sources[@]}"; do
    obj=$out/obj-config/$(basename "$src" .cpp).o
    # shellcheck disable=SC2046  # pkg-config prints several words on purpose
    "${launcher[@]}" "$cxx" "${flags[@]}" -I"$root/src" $(pkg-config --cflags Qt6Core) -c "$src" -o "$obj" || return 1
    objects+=("$obj")
  done
  # shellcheck disable=SC2046
  "$cxx" "${flags[@]}" "${objects[@]}" -o "$out/fuzz_config_reader" $(pkg-config --libs Qt6Core) || return 1
  "$out/fuzz_config_reader" "$out/corpus-config" "$root/fuzz/corpus" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$out/" -print_final_stats=1
}

run_bitmap() {
  mkdir -p "$out/corpus-bitmap" "$out/obj-bitmap"
  local sources=(
    "$root/fuzz/fuzz_bitmap_reader.cpp"
    "$root/src/logo/bitmap_file.cpp"
    "$root/src/logo/source_picture.cpp"
    "$root/src/logo/logo_box.cpp"
    "$root/src/logo/logo_raster.cpp"
    "$root/src/logo/logo_upload.cpp"
    "$root/src/logo/picture_reader.cpp"
    "$root/src/logo/svg_picture.cpp"
    "$root/src/logo/svg_render.cpp"
    "$root/src/logo/compact_bitmap.cpp"
    "$root/src/model/shown_path.cpp"
  )
  local objects=() src obj extra
  for src in "${sources[@]}"; do
    obj=$out/obj-bitmap/$(basename "$src" .cpp).o
    # The decoder parses the input, so libFuzzer traces its comparisons; the drawing code
    # and the harness only loop over dots, where tracing each comparison would cost most
    # of the run.
    extra=(-fno-sanitize-coverage=trace-cmp)
    case "$(basename "$src")" in bitmap_file.cpp | source_picture.cpp | picture_reader.cpp | svg_picture.cpp) extra=() ;; esac
    # shellcheck disable=SC2046  # pkg-config prints several words on purpose
    "${launcher[@]}" "$cxx" "${flags[@]}" "${extra[@]}" -I"$root/src" $(pkg-config --cflags Qt6Gui Qt6Svg) \
      -c "$src" -o "$obj" || return 1
    objects+=("$obj")
  done
  # shellcheck disable=SC2046
  "$cxx" "${flags[@]}" "${objects[@]}" -o "$out/fuzz_bitmap_reader" $(pkg-config --libs Qt6Gui Qt6Svg) || return 1
  # A header may announce up to 32 million dots with only a few bytes of RLE data, so one
  # input can take a few hundred milliseconds and some hundred megabytes.
  "$out/fuzz_bitmap_reader" "$out/corpus-bitmap" "$root/fuzz/corpus_bitmap" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -artifact_prefix="$out/bitmap-" -print_final_stats=1
}

# Each target runs even when the one before it failed; the exit status reports both.
# (A function called before || runs without errexit, hence the explicit returns.)
status=0
if [ "$which" = config ] || [ "$which" = all ]; then
  run_config || status=1
fi
if [ "$which" = bitmap ] || [ "$which" = all ]; then
  run_bitmap || status=1
fi
exit "$status"
