#!/usr/bin/env bash
# The personal dates from the command line: adding, listing, removing, the days
# of a year, and the refusals. Usage: dates_tests.sh PATH/TO/varnel
set -u
varnel="$1"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"
mkdir -p "$tmp/d"
dates() { "$varnel" dates --data-dir "$tmp/d" "$@"; }
printf '[Other]\nkept=as written\n' >"$tmp/d/dates.dat"

check "add a yahrzeit by its Hebrew date" exits 0 dates --add "Abraham Levi" --hebrew "3 adar ii 5771" --kind yahrzeit
check "add a birthday born after sunset" exits 0 dates --add Dina --date 2014-03-04 --after-sunset --kind birthday --note twins
check "add an anniversary" exits 0 dates --add Wedding --date 2025-03-04 --kind anniversary
check "the list as JSON" exits 0 dates --json
check "lists the three with their Hebrew days" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
assert [(r["entry"],r["name"],r["kind"],r["hebrew"]) for r in rows]==[(1,"Abraham Levi","yahrzeit","3 Adar II 5771"),(2,"Dina","birthday","3 Adar II 5774"),(3,"Wedding","anniversary","4 Adar 5785")], rows
assert rows[1]["date"]=="2014-03-04" and rows[1]["aftersunset"] and rows[1]["note"]=="twins" and rows[0]["date"] is None' "$tmp/out"
check "the other section is kept" grep -q '^kept=as written$' "$tmp/d/dates.dat"

check "the days of 2026" exits 0 dates 2026 --json
check "in date order with their count" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
assert rows==[{"date":"2026-02-20","name":"Abraham Levi","kind":"yahrzeit","hebrew":"3 Adar 5786","count":15},
              {"date":"2026-02-20","name":"Dina","kind":"birthday","hebrew":"3 Adar 5786","count":12},
              {"date":"2026-02-21","name":"Wedding","kind":"anniversary","hebrew":"4 Adar 5786","count":1}], rows' "$tmp/out"
check "the days as text" exits 0 dates 2026
check "a line per day" grep -q $'^2026-02-20\t3 Adar 5786\tYahrzeit: Abraham Levi\t15th yahrzeit$' "$tmp/out"

check "remove the second" exits 0 dates --remove 2
check "two are left" test "$(dates | cut -f4 | tr '\n' ,)" = "Abraham Levi,Wedding,"
printf '4name=Broken\n4date=2024-13-01\n' >>"$tmp/d/dates.dat"
sed -i 's/^count=2/count=4/' "$tmp/d/dates.dat"
check "a malformed entry is listed and said" exits 0 dates
check "on standard error" grep -q "entry 3 ('Broken') is skipped: there is no day '2024-13-01'" "$tmp/err"
check "and kept by a change" exits 0 dates --remove 1
check "still there" grep -q '^2date=2024-13-01' "$tmp/d/dates.dat"

check "a date that is no day" refused 2 dates --add X --date 2024-02-30
check "Adar without I or II in a leap year" refused 2 dates --add X --hebrew "12 Adar 5784"
check "after sunset with a Hebrew date" refused 2 dates --add X --hebrew "12 Adar 5785" --after-sunset
check "an unknown kind" refused 2 dates --add X --date 2024-01-01 --kind friend
check "a number beyond the list" exits 2 dates --remove 9
check "is named" grep -q "no entry 9 among the personal dates (there are 2)" "$tmp/err"
check "a year with a change" refused 2 dates 2026 --add X --date 2024-01-01
check "a year outside 1..9999" refused 2 dates 10000
check "nothing was added by the refusals" test "$(dates | wc -l)" -eq 2
mkdir -p "$tmp/ro" && printf '[Dates]\ncount=0\n' >"$tmp/ro/dates.dat" && chmod 444 "$tmp/ro/dates.dat"
if [ "$(id -u)" -ne 0 ]; then
  check "a file the user may not change is left alone" exits 1 "$varnel" dates --data-dir "$tmp/ro" --add X --date 2024-01-01
fi
finish
