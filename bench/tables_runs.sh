#!/usr/bin/env bash
# Whole runs of hndpos-tables against hndpos's own run, and how time and
# peak memory grow with the number of positions.
#
#   tables_runs.sh HNDPOS HNDPOS_TABLES [RUNS]    (default 200 runs)
set -euo pipefail
hndpos=$(realpath "$1")
tables=$(realpath "$2")
runs=${3:-200}
here=$(realpath "$(dirname "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cc -O2 -o spawn_timer "$here/spawn_timer.c"

# spawn_timer prints the median and fastest wall time in microseconds and
# the peak resident memory in KiB.
report() {
    local label=$1 count=$2
    shift 2
    read -r median fastest memory < <(./spawn_timer "$count" "$@")
    printf '%-44s median %9.1f us  fastest %9.1f us  peak %6d KiB\n' "$label" "$median" "$fastest" "$memory"
}
report "hndpos 83 30 9 13 14" "$runs" "$hndpos" 83 30 9 13 14
report "hndpos-tables 720 60 60" "$runs" "$tables" --center 160 120 --radii 60 90 100 --positions 720 60 60 -o dial.c
for n in 60 600 3600 14400 43200; do
    report "hndpos-tables $n $n $n" "$(( n > 3600 ? 5 : 50 ))" "$tables" --center 160 120 --radii 60 90 100 \
        --positions $n $n $n -o dial.c
done
report "hndpos-tables 43200 3600 60" 5 "$tables" --center 160 120 --radii 60 90 100 --positions 43200 3600 60 -o dial.c
report "hndpos-tables 43200 3600 60, JSON" 5 "$tables" --center 160 120 --radii 60 90 100 --positions 43200 3600 60 \
    --format json -o dial.json
