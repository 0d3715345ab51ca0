#!/usr/bin/env bash
# Runs the command line as a user would and checks its output and exit codes.
# Usage: run_cli_tests.sh PATH/TO/varnel
set -u
varnel="$1"
passed=0
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {  # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
exits() {  # expected status, command...
  local want="$1"; shift
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  [ "$got" -eq "$want" ] || { echo "  exit $got, wanted $want: $*"; cat "$tmp/err"; return 1; }
}
one_line_error() { [ "$(wc -l <"$tmp/err")" -eq 1 ] && [ ! -s "$tmp/out" ]; }
json_ok() { python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$tmp/out"; }

check "convert as text" exits 0 "$varnel" convert 2024-10-03
check "convert text names the Hebrew date" grep -q "1 Tishrei 5785" "$tmp/out"
check "convert as JSON" exits 0 "$varnel" convert 2024-10-03 --json
check "convert JSON is valid" json_ok
check "convert JSON fields" grep -q '"date":"2024-10-03","weekday":5,"daynumber":2460587,"hebrew":{"year":5785,"month":1,"day":1,"monthname":"Tishrei"}' "$tmp/out"
check "convert in a leap year" exits 0 "$varnel" convert 2024-03-23 --json
check "Adar II" grep -q '"month":7,"day":13,"monthname":"Adar II"' "$tmp/out"

check "holydays as JSON" exits 0 "$varnel" holydays 2026 --json
check "holydays JSON is valid" json_ok
check "holydays JSON has 49 records" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
assert len(rows)==49 and [r["record"] for r in rows]==list(range(1,50))
yk=[r for r in rows if r["name"]=="Yom Kippur"][0]
assert yk["date"]=="2026-09-21" and yk["hebrewyear"]=="5787", yk
assert all(r["date"] is None for r in rows if r["name"]=="")' "$tmp/out"
check "holydays as text" exits 0 "$varnel" holydays 2026
check "holydays text lists Purim" grep -q "2026-03-03 Tue .*Purim" "$tmp/out"

check "missing data folder gives an empty table" exits 0 "$varnel" holydays 2026 --json --data-dir "$tmp/nowhere"
check "empty table" python3 -c 'import json,sys; assert all(r["name"]=="" for r in json.load(open(sys.argv[1])))' "$tmp/out"

check "help" exits 0 "$varnel" --help
check "help lists convert" grep -q "convert" "$tmp/out"
check "version" exits 0 "$varnel" --version
check "version text" grep -q "^varnel 1.0.3" "$tmp/out"

for bad in "convert 2024-13-01" "convert 2024-02-30" "convert 10000-01-01" "convert 0000-01-01" "convert yesterday" \
            "convert" "holydays 0" "holydays 10000" "holydays 12x" "frobnicate" "convert 2024-01-01 --bogus" \
            "convert 2024-01-01 2024-01-02" "holydays 2026 --data-dir"; do
  # shellcheck disable=SC2086
  check "bad argument: $bad" exits 2 "$varnel" $bad
  check "one-line message: $bad" one_line_error
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
