#!/bin/sh
# Builds the picture generator on its own and redraws resources/pictures/.
#   tools/gen_pictures/generate.sh [build folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-"${TMPDIR:-/tmp}/vorlandex-gen-pictures"}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2
"$build/vorlandex-gen-pictures" "$root/resources/pictures"
ls -l "$root/resources/pictures"
