#!/usr/bin/env bash
# Sets the figures of two benchmark runs side by side (the figures.json files bench/run.sh writes,
# say one of main and one of a change): for each figure its old and new values and the ratio new /
# old, above 1 where the new value is larger, and for a paired figure each run's ratio to its
# baseline. Figures of one run only are listed after them.
#
#   bench/compare.sh OLD NEW
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: bench/compare.sh OLD NEW   (figures.json files of bench/run.sh)" >&2
    exit 2
fi
command -v jq >/dev/null || { echo "bench/compare.sh needs jq" >&2; exit 1; }

jq -r -n --slurpfile old "$1" --slurpfile new "$2" '
    def byName: map({ (.name): . }) | add // {};
    def show: if . == null then "-" else tostring end;
    def ratio($a; $b):
        if $a == null or $b == null then "-"
        elif $a == $b then "1"
        elif $b == 0 then "-"
        else ($a / $b * 1000 | round / 1000 | tostring) end;
    ($old[0] | byName) as $o | ($new[0] | byName) as $n
    | ($new[0][] | select($o[.name] != null)
       | [.name, ($o[.name].value | show), (.value | show), .unit, ratio(.value; $o[.name].value),
          (if .baseline != null or $o[.name].baseline != null
           then "vs baseline \(ratio($o[.name].value; $o[.name].baseline)) -> \(ratio(.value; .baseline))"
           else "" end)]),
      ($old[0][] | select($n[.name] == null) | [.name, (.value | show), "-", .unit, "only in OLD", ""]),
      ($new[0][] | select($o[.name] == null) | [.name, "-", (.value | show), .unit, "only in NEW", ""])
    | @tsv' |
    awk -F '\t' '
        BEGIN { printf "%-72s %12s %12s %-8s %9s\n", "figure", "old", "new", "unit", "new/old" }
        { printf "%-72s %12s %12s %-8s %9s %s\n", $1, $2, $3, $4, $5, $6 }'
