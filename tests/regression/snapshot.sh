#!/usr/bin/env bash
# Prints the command line's JSON for a sample of years, months and days, one
# "name sha256" line each, so two builds can be compared output for output.
# Usage: snapshot.sh VARNEL [full]   (full: every year 1900-2199, every month 2020-2030)
set -euo pipefail
varnel=$1
mode=${2:-sample}
export TZ=America/New_York LC_ALL=C
HOME=$(mktemp -d); export HOME
export XDG_CONFIG_HOME=$HOME/.config
trap 'rm -rf "$HOME"' EXIT

run() {  # name, then the arguments
    local name=$1; shift
    printf '%s %s\n' "$name" "$("$varnel" "$@" --json 2>&1 | sha256sum | cut -c1-16)"
}

if [ "$mode" = full ]; then
    years=$(seq 1900 2199); months=$(seq 2020 2030)
else
    years="1900 1926 1948 1967 1999 2000 2005 2019 2024 2025 2026 2027 2030 2045 2100 2199"
    months="2024 2026 2027"
fi
for y in $years; do
    run "holydays-$y" holydays "$y"
    run "parashot-$y" parashot "$y"
done
for y in $months; do
    for m in 01 02 03 04 05 06 07 08 09 10 11 12; do
        run "month-$y-$m" month "$y-$m"
        run "month-$y-$m-jerusalem" month "$y-$m" --city "Jerusalem, Israel"
    done
done
for d in 2026-04-04 2026-12-05 2027-03-13 2027-07-02 2027-10-02 1999-09-11; do
    run "day-$d" day "$d"
    run "day-$d-hongkong" day "$d" --city "Hong Kong, China"
done
for y in 1900 2026 2027 2100; do run "year-$y" year "$y"; done
