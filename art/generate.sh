#!/usr/bin/env bash
# Builds the art generator and redraws every picture in art/. The pictures are committed; run
# this after changing the generator, look at the contact sheets, and commit both together.
#     art/generate.sh [sheet folder, default /tmp/pokdeng-art]
set -euo pipefail
art=$(cd "$(dirname "$0")" && pwd)
build="$art/../build/artgen"
cmake -S "$art/.." -B "$build" -DPOKDENG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target pokdeng_artgen -j "$(nproc 2>/dev/null || echo 2)"
"$build/art/generator/pokdeng_artgen" "$art" --sheet "${1:-/tmp/pokdeng-art}"
echo "Pictures written to $art; contact sheets in ${1:-/tmp/pokdeng-art}"
