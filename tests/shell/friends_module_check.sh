#!/bin/sh
# The program and its network-play module: the program does not link Qt Network (it is loaded
# with the module, the first time เล่นกับเพื่อน opens), and every symbol the module needs is found
# in the program and the libraries, so loading it never fails mid-game.
#
#   friends_module_check.sh PROGRAM MODULE
set -u
program=$1
module=$2
status=0
if readelf -d "$program" | grep -q 'NEEDED.*libQt6Network'; then
    echo "the program links Qt Network: it would be loaded at every start-up" >&2
    status=1
fi
# Bound at once with the module preloaded; a platform that does not exist then ends the program
# before any window. Only a symbol the loader cannot find fails the check.
output=$(LD_BIND_NOW=1 LD_PRELOAD="$module" QT_QPA_PLATFORM=no-such-platform \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0" \
    "$program" 2>&1 </dev/null)
if printf '%s\n' "$output" | grep -E 'undefined symbol|symbol lookup error|cannot open shared'; then
    echo "the module does not load into the program" >&2
    status=1
fi
exit $status
