#!/usr/bin/env bash
# Runs every benchmark of a build made with -DPOKDENG_BUILD_BENCHMARKS=ON (./dev bench makes a
# Release one in build/bench), prints the figures and writes them to BUILD_DIR/figures.json, one
# record a figure (name, value, unit, and for a paired figure the baseline's value), for
# bench/compare.sh to set two runs side by side.
#
#   bench/run.sh [--quick] [BUILD_DIR]
#
# --quick runs each benchmark once with a few rounds, offscreen, each within a time limit: it
# shows that every one still runs, ends and records its figures (./dev test uses it), and the
# figures, written to BUILD_DIR/figures-quick.json, mean nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=
if [ "${1:-}" = --quick ]; then
    quick=1
    shift
fi
build=${1:-build/bench}
bin=$build/bench
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR" 2>/dev/null || true

figures=$build/figures${quick:+-quick}.json
records=$figures.lines
: >"$records"
# Absolute: the start-up race works in a folder of its own.
export POKDENG_BENCH_FIGURES=$PWD/$records
if [ -n "$quick" ]; then
    export POKDENG_BENCH_QUICK=1
else
    unset POKDENG_BENCH_QUICK
fi

# Runs one benchmark; it fails the run when it fails, outlasts the quick run's limit or records
# no figure.
run_one() {
    local before status=0
    before=$(wc -l <"$records")
    if [ -n "$quick" ]; then
        timeout -k 10 120 "$@" || status=$?
    else
        "$@" || status=$?
    fi
    if [ "$status" -eq 124 ]; then
        echo "benchmark $1 did not end within its time limit" >&2
        exit 1
    elif [ "$status" -ne 0 ]; then
        echo "benchmark $1 failed (exit status $status)" >&2
        exit 1
    elif [ "$(wc -l <"$records")" -le "$before" ]; then
        echo "benchmark $1 recorded no figures" >&2
        exit 1
    fi
}

# Start-up and the idle wait run on a real X server as well when Xvfb is there (not in a quick
# run): the programs then go through the platform plugin, its event thread and window mapping as
# on a desktop.
on_x() {
    if [ -z "$quick" ] && command -v xvfb-run >/dev/null; then
        QT_QPA_PLATFORM=xcb run_one xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}
export QT_QPA_PLATFORM=offscreen

echo "== start-up and memory"
startup=("$bin/bench_startup" 11 "$build/app/pokdeng" "$bin/pokdeng_bare_dialog"
         "$bin/libpokdeng_first_paint_probe.so")
run_one "${startup[@]}"
on_x "${startup[@]}"
# Again with the table's sounds on in the settings the game reads: the sound library is loaded
# only when the first sound plays, so start-up should not change.
sounds_on=$(mktemp -d)
mkdir -p "$sounds_on/pokdeng"
printf '[table]\nsound=true\n' >"$sounds_on/pokdeng/pokdeng.conf"
XDG_CONFIG_HOME=$sounds_on POKDENG_STARTUP_VARIANT="sounds on" run_one "${startup[@]}"
rm -rf "$sounds_on"
echo "== the sounds"
run_one "$bin/bench_sound"
echo "== a frame of a slide"
run_one "$bin/bench_slide_frame"
echo "== a frame of a card turning over"
run_one "$bin/bench_flip_frame"
echo "== a resize"
run_one "$bin/bench_resize"
echo "== card pictures"
run_one "$bin/bench_card_art"
echo "== waiting"
run_one "$bin/bench_idle"
on_x "$bin/bench_idle"
echo "== the rules"
run_one "$bin/bench_rules" --benchmark_min_time=1
echo "== the table controller"
run_one "$bin/bench_table" --benchmark_min_time=1
echo "== network play over loopback"
run_one "$bin/bench_net"
echo "== the odds at the user's turn"
run_one "$bin/bench_odds"
echo "== growth"
run_one "$bin/bench_growth"
echo "== the play history"
run_one "$bin/bench_history"
on_x "$bin/bench_history"

# The records as one JSON array, still one a line.
{
    echo '['
    sed '$!s/$/,/' "$records"
    echo ']'
} >"$figures"
rm -f "$records"
echo "== $(grep -c '"name"' "$figures") figures in $figures"
