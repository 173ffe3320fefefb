#!/usr/bin/env bash
# Runs every benchmark of a build made with -DPOKDENG_BUILD_BENCHMARKS=ON (./dev bench makes a
# Release one in build/bench) and prints the figures. Usage: bench/run.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
bin=$build/bench
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR" 2>/dev/null || true

# Start-up and the idle wait run on a real X server as well when Xvfb is there: the programs then
# go through the platform plugin, its event thread and window mapping as on a desktop.
on_x() {
    if command -v xvfb-run >/dev/null; then
        QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}
export QT_QPA_PLATFORM=offscreen

echo "== start-up and memory"
startup=("$bin/bench_startup" 11 "$build/app/pokdeng" "$bin/pokdeng_bare_dialog"
         "$bin/libpokdeng_first_paint_probe.so")
"${startup[@]}"
on_x "${startup[@]}"
echo "== a frame of a slide"
"$bin/bench_slide_frame"
echo "== card pictures"
"$bin/bench_card_art"
echo "== waiting"
"$bin/bench_idle"
on_x "$bin/bench_idle"
echo "== the rules"
"$bin/bench_rules" --benchmark_min_time=1
echo "== the odds at the user's turn"
"$bin/bench_odds"
echo "== growth"
"$bin/bench_growth"
