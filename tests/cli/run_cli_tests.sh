#!/usr/bin/env bash
# Runs the command line as a user would and checks its output and exit codes.
# Usage: run_cli_tests.sh PATH/TO/varnel
set -u
varnel="$1"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"
json_ok() { python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$tmp/out"; }

# The text commands run without Qt; the window, printing and the exports are
# handed to the desktop program beside it.
no_qt() { ! ldd "$varnel" | grep -E 'libQt|libical|libicu|qt6keychain'; }
check "varnel loads no Qt, iCalendar or ICU library" no_qt
check "the desktop program is beside it" test -x "$(dirname "$varnel")/varnel-gui"

check "convert as text" exits 0 "$varnel" convert 2024-10-03
check "convert text names the Hebrew date" grep -q "1 Tishrei 5785" "$tmp/out"
check "convert as JSON" exits 0 "$varnel" convert 2024-10-03 --json
check "convert JSON is valid" json_ok
check "convert JSON fields" grep -q '"date":"2024-10-03","weekday":5,"daynumber":2460587,"hebrew":{"year":5785,"month":1,"day":1,"monthname":"Tishrei"}' "$tmp/out"
check "convert in a leap year" exits 0 "$varnel" convert 2024-03-23 --json
check "Adar II" grep -q '"month":7,"day":13,"monthname":"Adar II"' "$tmp/out"

check "holydays as JSON" exits 0 "$varnel" holydays 2028 --json
check "holydays JSON is valid" json_ok
check "holydays JSON: every day of the year, January too" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
records=[r["record"] for r in rows]
assert records==sorted(records) and records[0]==1, records
yk=[r for r in rows if r["name"]=="Yom Kippur"][0]
assert yk["date"]=="2028-09-30" and yk["hebrewyear"]=="5789", yk
assert [r["date"] for r in rows if r["name"]=="Asarah B\x27Tevet"]==["2028-01-09","2028-12-28"]
h8=[r for r in rows if r["name"]=="Hanukkah" and r["daynumber"]==8]
assert [(r["date"],r["hebrewyear"]) for r in h8]==[("2028-01-01","5788"),("2028-12-20","5789")], h8
assert [r["date"] for r in rows if r["name"]=="Shabbat Hanukkah (1st)"]==[None]
assert all(r["name"] for r in rows)' "$tmp/out"
check "holydays counted from 16 Nisan" exits 0 "$varnel" holydays 2027 --omer nisan16 --json
check "Shavuot on 6 and 7 Sivan" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
assert [r["date"] for r in rows if r["name"]=="Shavuot"]==["2027-06-11","2027-06-12"]
assert [r["date"] for r in rows if r["name"]=="Birkurim"]==["2027-04-23"]' "$tmp/out"
check "an unknown reckoning is refused" refused 2 "$varnel" holydays 2027 --omer weeks
# The Israeli schedule: by --schedule, by the Schedule setting, or at a place in Israel.
israeli_2027() { python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
dated=lambda n,d=None:[r["date"] for r in rows if r["name"]==n and (d is None or r["daynumber"]==d)]
assert dated("Hag HaMatzot",8)==[None] and dated("Hag HaMatzot",2)==["2027-04-23"], rows
assert dated("Simchat Torah")==dated("Shemini Atzeret")==["2027-10-23"]' "$tmp/out"; }
check "holydays at a place in Israel" exits 0 "$varnel" holydays 2027 --city Jerusalem --json
check "keep Israel's days" israeli_2027
mkdir -p "$tmp/cfgil/Varnel" && printf '[Settings]\nSchedule=israel\n' >"$tmp/cfgil/Varnel/Varnel.conf"
check "holydays under Schedule=israel" exits 0 env XDG_CONFIG_HOME="$tmp/cfgil" HOME="$tmp" "$varnel" holydays 2027 --json
check "keep them too" israeli_2027
check "--schedule diaspora in Jerusalem" exits 0 "$varnel" holydays 2027 --city Jerusalem --schedule diaspora --json
check "keeps the eighth day" grep -q '"daynumber":8,"hebrewmonthday":"22 Nisan","hebrewmonth":"-6","hebrewday":"22","hebrewyear":"5787","date":"2027-04-29"' "$tmp/out"
check "parashot in Israel" exits 0 "$varnel" parashot 2027 --schedule israel
check "read Nasso on 7 Sivan" grep -q '2027-06-12 Sat  Nasso' "$tmp/out"
check "an unknown schedule is refused" refused 2 "$varnel" parashot 2027 --schedule mars
check "holydays as text" exits 0 "$varnel" holydays 2026
check "holydays text lists Purim" grep -q "2026-03-03 Tue .*Purim" "$tmp/out"

check "a missing data folder is a failure" refused 1 "$varnel" holydays 2026 --json --data-dir "$tmp/nowhere"
check "no output" test ! -s "$tmp/out"
mkdir -p "$tmp/bad"
printf '[HolyDay1]\nname=Purim\nhebrewmonth=-7\nhebrewday=14\n' >"$tmp/bad/holydays.bak"
cp "$(dirname "$varnel")/parashot.dat" "$tmp/bad/"
: >"$tmp/bad/holydays.dat"
check "an empty data file is read around through its backup" exits 0 "$varnel" holydays 2026 --json --data-dir "$tmp/bad"
check "the backup's day is shown" grep -q '"name":"Purim"' "$tmp/out"
check "one warning" test "$(grep -c 'holydays.dat cannot be used (it is empty); holydays.bak is read instead' "$tmp/err")" -eq 1
check "the data file is left as it was" test ! -s "$tmp/bad/holydays.dat"
printf '[HolyDay1]\nname=Wrapped\nhebrewmonth=-2147483649\nhebrewday=1\n[HolyDay2]\nname=Far\nhebrewmonth=-999999999\nhebrewday=3\n[HolyDay3]\nname=Purim\nhebrewmonth=-7\nhebrewday=14\n' >"$tmp/bad/holydays.dat"
check "out-of-range records are skipped" exits 0 "$varnel" holydays 2026 --data-dir "$tmp/bad"
check "with one warning each, naming the section" test "$(grep -c 'section \[HolyDay[12]\].*the day is skipped' "$tmp/err")" -eq 2
check "and are shown on no day" test "$(cat "$tmp/out")" = "  3  2026-03-03 Tue  14 Adar 5786  Purim"

check "help" exits 0 "$varnel" --help
check "help lists export-portions" grep -q "export-portions YYYY-MM --to TARGET" "$tmp/out"
check "help lists the exit codes" grep -q "^  2  a bad command line" "$tmp/out"
check "export-portions without a target" refused 2 "$varnel" export-portions 2026-02
check "version" exits 0 "$varnel" --version
check "version text" grep -q "^varnel 1.0.3" "$tmp/out"

check "parashot as JSON" exits 0 "$varnel" parashot 2026 --json
check "parashot JSON: 75 entries, 52 before Yom T'ruah in 2026" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
assert len(rows)==75 and [r["entry"] for r in rows]==list(range(1,76))
assert [r["parashah"] for r in rows if r["date"]=="2026-09-05"]==["Nitzavim","Vayelech"]' "$tmp/out"
check "parashot: Yom Kippur on a Shabbat in 2024" exits 0 "$varnel" parashot 2024 --json
check "2024-10-12 is Yom Kippur" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
yk=[r for r in rows if r["date"]=="2024-10-12"]
assert [r["parashah"] for r in yk]==["Yom Kippur"] and yk[0]["english"]=="Special reading", yk' "$tmp/out"

check "sun as JSON" exits 0 "$varnel" sun 2026-06-21 --city "Jerusalem, Israel" --json
check "sun JSON fields" python3 -c '
import json,sys
d=json.load(open(sys.argv[1]))
assert d["city"]=="Jerusalem, Israel" and d["date"]=="2026-06-21"
h,m,s=map(int,d["sunrise"].split(":")); assert 5*60+20 <= h*60+m <= 5*60+45, d
assert d["daylight"] is True and d["zone"]=="Israel Daylight Time", d' "$tmp/out"
check "sun with an unknown city" refused 2 "$varnel" sun 2026-06-21 --city "Xyzzyq"
# The daylight decision follows the system's zone (TZ) on the place's own offset (the
# zones' rules themselves are the window tests').
sun_in() { local tz="$1"; shift; env TZ="$tz" XDG_CONFIG_HOME="$tmp/cfg" HOME="$tmp" "$varnel" sun "$@"; }
check "sun on the first day of daylight time" exits 0 sun_in America/New_York 2027-03-14 --city "Boston, MA" --json
check "sun JSON keys and daylight from the second Sunday of March" python3 -c '
import json,sys
d=json.load(open(sys.argv[1]))
assert list(d)==["city","date","sunrise","solarnoon","sunset","daylight","zone"], d
assert d["daylight"] is True and d["zone"]=="Eastern Daylight Time", d
h,m,s=map(int,d["solarnoon"].split(":")); assert 12*60+50 <= h*60+m <= 13*60+5, d' "$tmp/out"
check "sun as text" exits 0 sun_in Europe/Berlin 2027-07-01 --city "Berlin, Germany"
check "sun text has the three times and the zone" python3 -c '
import sys
t=open(sys.argv[1]).read().splitlines()
assert t[0]=="Berlin, Germany, Thursday, July 1, 2027" and t[1].startswith("Sunrise ") and t[3].startswith("Sunset "), t
assert t[4].startswith("Daylight time ("), t' "$tmp/out"

check "month as JSON" exits 0 "$varnel" month 2026-09 --json
check "month JSON: 7 x 7 grid, Rosh Hashanah on Saturday 12 September" python3 -c '
import json,sys
d=json.load(open(sys.argv[1]))
g=d["grid"]; assert len(g)==7 and all(len(r)==7 for r in g) and d["first"]=="2026-09-01"
cell=g[2][6]; assert cell["text"].startswith("Tishrei 1") and cell["data"].startswith("11"), cell' "$tmp/out"
check "day as JSON" exits 0 "$varnel" day 2026-09-12 --json
check "day title" grep -q '"title":"Tishrei 1, 5787 - Saturday 09/12/2026"' "$tmp/out"
check "year as JSON" exits 0 "$varnel" year 2026 --json
check "year JSON: twelve months" python3 -c '
import json,sys
d=json.load(open(sys.argv[1])); assert d["title"]=="2026" and len(d["months"])==12
assert d["months"][0]["label"]=="January 2026"' "$tmp/out"
# Scheme 7 names no colours: holy days and Shabbat are both black, yet only holy days are starred.
mkdir -p "$tmp/cfg7/Varnel" && printf '[Settings]\nColorScheme=7\n' >"$tmp/cfg7/Varnel/Varnel.conf"
check "year text under scheme 7" exits 0 env XDG_CONFIG_HOME="$tmp/cfg7" HOME="$tmp" "$varnel" year 2026
check "Rosh Chodesh Nisan starred, the Shabbat after it not" grep -qx ' 15  16  17  18  19\* 20  21' "$tmp/out"
for bad in "sun 2026-02-29" "month 2026-13" "month 2026" "day 2026-00-10" "year 0" "parashot 10000" \
           "convert 2024-13-01" "convert 2024-02-30" "convert 10000-01-01" "convert 0000-01-01" "convert yesterday" \
           "convert" "holydays 0" "holydays 10000" "holydays 12x" "frobnicate" "convert 2024-01-01 --bogus" \
           "convert 2024-01-01 2024-01-02" "holydays 2026 --data-dir" "convert +024-01-01" "convert 2024-01-+1" \
           "month +026-01"; do
  # shellcheck disable=SC2086
  check "bad argument: $bad" refused 2 "$varnel" $bad
done

# Without a display the program prints today's date and this month instead of failing.
check "no display: today and this month" exits 0 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$varnel"
check "no display: today's line" grep -Eq "^Today: [A-Z][a-z]+day, [A-Z][a-z]+ [0-9]+, [0-9]{4} = [0-9]+ [A-Z][a-z' ]+ [0-9]{4}$" "$tmp/out"

# --data-dir alone starts the program on that folder: here, without a display,
# this month with a holy day of the folder's own on today's Hebrew date.
mkdir -p "$tmp/ownfolder"
today=$("$varnel" convert "$(date +%F)" --json)
hmonth=$(printf '%s' "$today" | python3 -c 'import json,sys; print(json.load(sys.stdin)["hebrew"]["month"])')
hday=$(printf '%s' "$today" | python3 -c 'import json,sys; print(json.load(sys.stdin)["hebrew"]["day"])')
printf '[HolyDay1]\r\nname=Folder Feast\r\nhebrewmonth=%s\r\nhebrewday=%s\r\n' "$hmonth" "$hday" >"$tmp/ownfolder/holydays.dat"
check "no display, --data-dir: this month" exits 0 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$varnel" --data-dir "$tmp/ownfolder"
check "no display, --data-dir: the folder's holy day" grep -q "Folder Feast" "$tmp/out"
check "--data-dir naming no folder" refused 1 "$varnel" --data-dir "$tmp/no-such-folder"
check "--json without a command" refused 2 "$varnel" --json

# A data file in another encoding still gives valid UTF-8 JSON.
mkdir -p "$tmp/latin1"
printf '[HolyDay1]\r\nname=Caf\xe9\r\nhebrewmonth=-7\r\nhebrewday=14\r\n' >"$tmp/latin1/holydays.dat"
check "non-UTF-8 data file" exits 0 "$varnel" holydays 2026 --json --data-dir "$tmp/latin1"
check "its JSON is valid UTF-8" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1],encoding="utf-8"))
assert rows[0]["name"]=="Caf\ufffd" and rows[0]["date"]=="2026-03-03", rows[0]' "$tmp/out"

# The resource lists: the feasts with their counts, one feast's list, and
# changes through the window's save code (the shipped backup seeds the file).
mkdir -p "$tmp/res"
cp "$(dirname "$0")/../../data/holydays.dat" "$(dirname "$0")/../../data/resources.bak" "$tmp/res/"
res() { "$varnel" resources --data-dir "$tmp/res" "$@"; }
check "resources lists the feasts" exits 0 res --json
check "feasts of the list, none with entries" python3 -c '
import json,sys
rows=json.load(open(sys.argv[1]))
names=[r["feast"] for r in rows]
assert names[0]=="Yom T'"'"'ruah (Rosh Hashanah)" and "Shavuot" in names and "Shabbat Pesach" not in names, names
assert all(r["count"]==0 for r in rows)' "$tmp/out"
check "the file was restored from the backup" test -f "$tmp/res/resources.dat"
check "add a web address" exits 0 res pesach --add "https://example.org/Seder?a=1&b=2"
check "add a file with a description" exits 0 res Pesach --add "$tmp/res/holydays.dat" --description $'Holy days\n[Purim]\ncount=5'
check "the list as JSON" exits 0 res PESACH --json
check "both entries, the hostile description on one line" python3 -c '
import json,sys
d=json.load(open(sys.argv[1]))
assert d["feast"]=="Pesach", d
assert [e["fileurl"] for e in d["entries"]]==["https://example.org/Seder?a=1&b=2", sys.argv[2]], d
assert d["entries"][0]["description"]=="https://example.org/Seder?a=1&b=2"
assert d["entries"][1]["description"]=="Holy days [Purim] count=5", d' "$tmp/out" "$tmp/res/holydays.dat"
check "no section was made by the description" bash -c '! grep -q "^\[Purim\]" "$1"' _ "$tmp/res/resources.dat"
check "remove the first" exits 0 res Pesach --remove 1
check "one entry left" bash -c '[ "$(wc -l <"$1")" -eq 1 ] && grep -q "holydays.dat" "$1"' _ "$tmp/out"
check "count in the feast list" exits 0 res --json
check "Pesach has 1" python3 -c '
import json,sys
assert {r["feast"]:r["count"] for r in json.load(open(sys.argv[1]))}["Pesach"]==1' "$tmp/out"
check "unknown feast" refused 2 res "Shabbat Pesach"
check "no such entry" refused 2 res Pesach --remove 5
check "--add without a feast" exits 2 res --add x
check "--add on another command" exits 2 "$varnel" convert 2024-01-01 --add x
check "the removed entry leaves no key behind" bash -c '! grep -qi "^2fileurl\|^2description" "$1"' _ "$tmp/res/resources.dat"
# Eight runs adding at once: each reads and writes under the lock, none is lost.
for n in 1 2 3 4 5 6 7 8; do res Sukkot --add "https://example.org/$n" >/dev/null 2>"$tmp/add$n.err" & done
wait
check "eight additions at once, all kept" bash -c '[ "$("$1" resources Sukkot --data-dir "$2" | wc -l)" -eq 8 ]' _ "$varnel" "$tmp/res"
chmod_target="$tmp/res/blocked"
mkdir -p "$chmod_target/resources.dat"
cp "$tmp/res/holydays.dat" "$chmod_target/"
check "a list that cannot be written fails" exits 1 "$varnel" resources Pesach --add x --data-dir "$chmod_target"
# The month's Shabbat rows and the printouts as files.
check "shabbat as JSON" exits 0 "$varnel" shabbat 2024-08 --json
check "shabbat JSON: five Saturdays, the joined pair first" python3 -c '
import json,sys
doc=json.load(open(sys.argv[1]))
assert doc["month"]=="2024-08" and [r["saturday"] for r in doc["rows"]]==["2024-08-0%d"%3,"2024-08-10","2024-08-17","2024-08-24","2024-08-31"], doc
r=doc["rows"][0]
assert sorted(r)==["date","feasttimes","portion","readings","saturday","times"], r
assert r["date"]=="08/03" and r["portion"]=="Matot/Masei" and " to Tamuz 28 " in r["times"], r' "$tmp/out"
check "shabbat as text" exits 0 "$varnel" shabbat 2024-08
check "shabbat text has the title and five rows" python3 -c '
import sys
lines=open(sys.argv[1]).read().splitlines()
assert lines[0].startswith("Shabbat details for ") and len(lines)==6 and lines[2].count("\t")==4, lines' "$tmp/out"
# Friday's candles and Saturday's Havdalah in every row of a year, against hebcal (Havdalah 42 minutes after sunset).
check "the Shabbat rows carry the times hebcal gives" python3 -c '
import datetime, json, re, subprocess, sys
oracle = {}  # (date, "Candles" or "Havdalah") -> minutes after midnight; hebcal gives evening hours without PM
for line in subprocess.run(["hebcal", "-c", "-m", "42", "-C", "Charlotte", "2026"], capture_output=True, text=True, check=True).stdout.splitlines():
    m = re.fullmatch(r"(\d+)/(\d+)/(\d+) (Candle lighting|Havdalah \(42 min\)): (\d+):(\d\d)", line)
    if m:
        oracle[(datetime.date(int(m[3]), int(m[1]), int(m[2])), m[4][0])] = (int(m[5]) % 12 + 12) * 60 + int(m[6])
checked = 0
for month in range(1, 13):
    out = subprocess.run([sys.argv[1], "shabbat", "2026-%02d" % month, "--json", "--city", "Charlotte"], capture_output=True, text=True, check=True).stdout
    for r in json.loads(out)["rows"]:
        saturday = datetime.date.fromisoformat(r["saturday"])
        ours = {}  # the first of each kind: the Friday evening candles come first
        for kind, h, mm in re.findall(r"(Candles|Havdalah): (\d+):(\d\d) PM", r["feasttimes"]):
            ours.setdefault(kind[0], (int(h) % 12 + 12) * 60 + int(mm))
        for day, kind in ((saturday - datetime.timedelta(1), "C"), (saturday, "H")):
            if (day, kind) in oracle and kind in ours:
                assert abs(ours[kind] - oracle[(day, kind)]) <= 2, (r, oracle[(day, kind)])
                checked += 1
assert checked > 90, checked' "$varnel"
check "a Shabbat of the midnight sun says why it has no times" exits 0 "$varnel" shabbat 2026-06 --lat 78.2 --lon 15.6 --zone Arctic/Longyearbyen
check "none, and why" grep -q $'\tCandles: none (the sun does not set), Havdalah: none (the sun does not set)$' "$tmp/out"
check "print shabbat as PDF" exits 0 "$varnel" print shabbat 2024-08 --output "$tmp/shabbat.pdf" --paper letter
check "the PDF is one Letter page" sh -c 'pdfinfo "$1" | grep -q "Pages: *1$" && pdfinfo "$1" | grep -q "612 x 792"' _ "$tmp/shabbat.pdf"
check "the PDF reads back" sh -c 'pdftotext "$1" - | grep -q "Matot/Masei"' _ "$tmp/shabbat.pdf"
check "print day as A4 PDF" exits 0 "$varnel" print day 2024-04-27 --output "$tmp/day.pdf" --paper a4
check "the day PDF is A4" sh -c 'pdfinfo "$1" | grep -q "(A4)" && pdftotext "$1" - | grep -q "Shabbat Pesach"' _ "$tmp/day.pdf"
check "print year as PNG" exits 0 "$varnel" print year 2026 --output "$tmp/year.png" --dpi 50 --paper letter
check "the PNG is a Letter page at 50 dpi" python3 -c '
import struct,sys
d=open(sys.argv[1],"rb").read(24)
assert d[:8]==b"\x89PNG\r\n\x1a\n" and struct.unpack(">II",d[16:24])==(425,550), d' "$tmp/year.png"
for bad in "print shabbat 2024-13 --output $tmp/bad.pdf" "print day 2024-02-30 --output $tmp/bad.pdf" \
           "print year 2026 --output $tmp/bad.txt" "print year 2026 --output $tmp/nowhere/bad.pdf" \
           "print year 2026 --output $tmp/bad.pdf --paper b5" "print year 2026 --output $tmp/bad.png --dpi 0" \
           "print week 2026-01 --output $tmp/bad.pdf" "print year 2026" "shabbat 2024-8"; do
  # shellcheck disable=SC2086
  check "bad print: $bad" refused 2 "$varnel" $bad
done
check "no file left by a failed print" sh -c '! ls "$1"/bad.* 2>/dev/null | grep -q .' _ "$tmp"

# Places: a unique beginning of a name (the search itself is the core tests'), and the list.
check "city by a prefix with a space" exits 0 "$varnel" sun 2026-06-21 --city "new york" --json
check "new york found" grep -q '"city":"New York City, NY"' "$tmp/out"
check "an ambiguous prefix" exits 2 "$varnel" sun 2026-06-21 --city "san"
check "the candidates are listed" bash -c 'one_line() { [ "$(wc -l <"$1")" -eq 1 ]; }; one_line "$1" && grep -q "San Francisco, CA; San Jose, CA" "$1"' _ "$tmp/err"
check "cities as text" exits 0 "$varnel" cities
check "51 places, mended names" bash -c '[ "$(wc -l <"$1")" -eq 51 ] && grep -q "^Honolulu, HI " "$1" && grep -q "^Caracas, Venezuela " "$1" && ! grep -q "nMonth\|Fransisco\|, HA \|Venezula" "$1"' _ "$tmp/out"
check "cities as JSON" exits 0 "$varnel" cities --json
check "cities JSON: coordinates east and north, zones" python3 -c '
import json,sys
rows={r["name"]:r for r in json.load(open(sys.argv[1]))}
assert len(rows)==51, len(rows)
j=rows["Jerusalem, Israel"]; assert j["zone"]=="Asia/Jerusalem" and j["utcoffset"]==2 and 31<j["latitude"]<32 and 35<j["longitude"]<36, j
d=rows["New Delhi, India"]; assert d["utcoffset"]==5.5, d
c=rows["Charlotte, NC"]; assert c["longitude"]<0 and c["utcoffset"]==-5, c' "$tmp/out"
# Any place: the world list after the built-in table, or coordinates and a zone.
check "a place of the world list" exits 0 "$varnel" sun 2026-07-04 --city baltimore --json
check "Baltimore on Eastern Daylight Time" python3 -c '
import json,sys; d=json.load(open(sys.argv[1]))
assert d["city"]=="Baltimore, Maryland, United States of America" and d["zone"]=="Eastern Daylight Time", d
assert "20:30:00"<d["sunset"]<"20:40:00", d' "$tmp/out"
check "the same by coordinates" exits 0 "$varnel" sun 2026-07-04 --lat 39.29038 --lon -76.61219 --zone America/New_York --json
check "gives the same sunset" python3 -c '
import json,sys; d=json.load(open(sys.argv[1])); assert "20:30:00"<d["sunset"]<"20:40:00" and d["city"]=="39.29038, -76.61219", d' "$tmp/out"
check "an ambiguous world name" exits 2 "$varnel" sun 2026-07-04 --city Portland
check "lists region and country on one line" bash -c '[ "$(wc -l <"$1")" -eq 1 ] && grep -q "Portland, Oregon, United States of America; " "$1"' _ "$tmp/err"
check "the region decides" exits 0 "$varnel" sun 2026-07-04 --city "Portland, Oregon"
for bad in "--lat 91 --lon 0 --zone UTC" "--lat 45 --lon 181 --zone UTC" "--lat 45x --lon 0 --zone UTC" \
           "--lat 45 --lon 0 --zone Mars/Base" "--lat 45 --lon 0" "--lat 45 --lon 0 --zone UTC --city Boston"; do
  # shellcheck disable=SC2086
  check "bad place: $bad" exits 2 "$varnel" sun 2026-07-04 $bad
  check "in one line" bash -c '[ "$(wc -l <"$1")" -eq 1 ]' _ "$tmp/err"
done
check "world search as JSON" exits 0 "$varnel" cities --search Balt --json
check "Baltimore first, with its fields" python3 -c '
import json,sys; rows=json.load(open(sys.argv[1]))
b=rows[0]; assert (b["name"],b["region"],b["country"],b["zone"])==("Baltimore","Maryland","United States of America","America/New_York"), b
assert 39<b["latitude"]<40 and -77<b["longitude"]<-76 and len(rows)>=4, rows' "$tmp/out"
check "no match is an empty list" exits 0 "$varnel" cities --search Xyzzyq --json
check "is []" grep -qx '\[\]' "$tmp/out"
# The precise sun, and the days without a sunrise or a sunset.
check "the precise sun" exits 0 "$varnel" sun 2026-07-04 --city Charlotte --sun precise --json
check "within a minute of the classic sun at Charlotte" python3 -c '
import json,sys; d=json.load(open(sys.argv[1])); assert "20:40:00"<d["sunset"]<"20:42:00" and "reason" not in d, d' "$tmp/out"
check "libnova is opened only when the precise sun is asked for" bash -c '! ldd "$1" | grep -q libnova' _ "$varnel"
# Without libnova (hidden in a private mount, where the run may make one) the
# precise sun is refused with the reason; the classic sun needs nothing.
nova=$(readlink -f /usr/lib/x86_64-linux-gnu/libnova-0.16.so.0 2>/dev/null)
if [ -n "$nova" ] && unshare -m true 2>/dev/null; then
  without_nova() { unshare -m sh -c 'mount --bind /dev/null "$1" && shift && exec "$@"' _ "$nova" "$@"; }
  check "without libnova the precise sun is a data problem" refused 1 without_nova "$varnel" month 2026-12 --sun precise
  check "that names the library and the way around it" grep -q "needs libnova (libnova-0.16.so.0).*--sun classic" "$tmp/err"
  check "and the classic sun still works" exits 0 without_nova "$varnel" sun 2026-07-04 --sun classic
fi
check "a bad --sun" refused 2 "$varnel" sun 2026-07-04 --sun exact
check "--sun where no place is used" refused 2 "$varnel" convert 2024-10-03 --sun precise
for sun in classic precise; do
  check "Longyearbyen in June ($sun)" exits 0 "$varnel" sun 2026-06-21 --city Longyearbyen --sun $sun --json
  check "no sunrise nor sunset, and why ($sun)" python3 -c '
import json,sys; d=json.load(open(sys.argv[1]))
assert d["sunrise"] is None and d["sunset"] is None and d["reason"]=="The sun does not set" and d["solarnoon"], d' "$tmp/out"
  check "the South Pole in June ($sun)" exits 0 "$varnel" sun 2026-06-21 --lat -90 --lon 0 --zone Antarctica/McMurdo --sun $sun
  check "says the sun does not rise ($sun)" grep -qx "The sun does not rise" "$tmp/out"
  check "Tromsø's June times ($sun)" exits 0 "$varnel" times 2026-06 --city Tromsø --sun $sun --json
  check "are null with the reason ($sun)" python3 -c '
import json,sys; rows=json.load(open(sys.argv[1])); assert rows and all(r["time"] is None and r["reason"]=="The sun does not set" for r in rows), rows' "$tmp/out"
done
# The place is named by its degrees as typed ("90", never "9e+01").
check "the month at the North Pole" exits 0 "$varnel" month 2026-12 --lat 90 --lon 135 --zone UTC --sun precise --json
check "says why each day has no sunrise" python3 -c '
import json,sys; d=json.load(open(sys.argv[1])); days=[c["data"] for r in d["grid"] for c in r if "Sunrise" in c.get("data","")]
assert len(days)==31 and all("Sunrise: none - Sunset: none (the sun does not rise)" in t for t in days), days[0]
assert "(90, 135 - UTC)" in days[0], days[0]' "$tmp/out"
check "options without a command are refused" refused 2 "$varnel" --json
check "--city without a command is refused" exits 2 "$varnel" --city Boston

# A data folder without the data files fails with the file and the folder named.
mkdir -p "$tmp/nodata"
for cmd in "holydays 2026" "parashot 2026" "month 2026-12" "day 2026-12-11" "year 2026"; do
  # shellcheck disable=SC2086
  check "$cmd without data files" exits 1 "$varnel" $cmd --data-dir "$tmp/nodata"
  check "$cmd names the file and the folder" bash -c 'one_line() { [ "$(wc -l <"$1")" -eq 1 ]; }; one_line "$1" && grep -q "holydays.dat (nor holydays.bak) was not found in $2" "$1"' _ "$tmp/err" "$tmp/nodata"
done
cp "$(dirname "$varnel")/data/holydays.dat" "$tmp/nodata/" 2>/dev/null || cp "$(dirname "$0")/../../data/holydays.dat" "$tmp/nodata/"
check "holydays needs only its own file" exits 0 "$varnel" holydays 2026 --data-dir "$tmp/nodata"
check "parashot names the portion file" exits 1 "$varnel" parashot 2026 --data-dir "$tmp/nodata"
check "parashot.dat named" grep -q "parashot.dat (nor parashot.bak)" "$tmp/err"

# Shabbat times on holy days, a setting read by the command line (the texts are
# the month model's tests'): Hanukkah 2026's Friday is 11 December.
mkdir -p "$tmp/cfgst/Varnel" && printf '[Settings]\nShabbatTimesOnHolyDays=1\n' >"$tmp/cfgst/Varnel/Varnel.conf"
for setting in cfg cfgst; do
  check "December under $setting" exits 0 env XDG_CONFIG_HOME="$tmp/$setting" HOME="$tmp" "$varnel" month 2026-12 --json
  check "candles on Hanukkah's Friday only with the setting" python3 -c '
import json,sys
cell=json.load(open(sys.argv[1]))["grid"][2][5]
assert cell["text"].startswith("Tevet 1") and ("Shabbat Candles" in cell["text"])==(sys.argv[2]=="cfgst"), cell' "$tmp/out" "$setting"
done
# The month's feast times: Charlotte's Friday candles are the sun command's
# sunset less the CandleMinutes setting (18, or 40 when set).
mkdir -p "$tmp/cfg40/Varnel" && printf '[Settings]\nCandleMinutes=40\n' >"$tmp/cfg40/Varnel/Varnel.conf"
for setting in cfg:18 cfg40:40; do
  check "times under ${setting%%:*}" exits 0 env TZ=America/New_York XDG_CONFIG_HOME="$tmp/${setting%%:*}" HOME="$tmp" \
    "$varnel" times 2026-09 --json --city "Charlotte, NC"
  cp "$tmp/out" "$tmp/times.json"
  check "sun of the Friday" exits 0 env TZ=America/New_York HOME="$tmp" "$varnel" sun 2026-09-04 --json --city "Charlotte, NC"
  check "times in date order, Yom Kippur's and the fast's" python3 -c '
import json,sys
t=json.load(open(sys.argv[1])); sunset=json.load(open(sys.argv[2]))["sunset"]; minutes=int(sys.argv[3])
assert [x["date"] for x in t]==sorted(x["date"] for x in t) and all(x["date"].startswith("2026-09") for x in t), t
assert {x["kind"] for x in t}=={"candles","havdalah","fast-begins","fast-ends"}, t
h,m,s=map(int,sunset.split(":")); c=(h*3600+m*60+s-minutes*60)//60
assert t[0]=={"date":"2026-09-04","time":"%02d:%02d"%(c//60,c%60),"kind":"candles","for":"Shabbat"}, (t[0],sunset)
yk=[(x["date"],x["kind"]) for x in t if x["for"]=="Yom Kippur"]
assert yk==[("2026-09-20","candles"),("2026-09-20","fast-begins"),("2026-09-21","havdalah"),("2026-09-21","fast-ends")], yk' \
    "$tmp/times.json" "$tmp/out" "${setting##*:}"
done
check "times of a bad month" refused 2 "$varnel" times 2026-13

# Arguments echoed in messages: escaped and cut, so a message stays one short line.
check "a newline in an argument" refused 2 "$varnel" convert "$(printf '2024-01-01\nvarnel: forged')"
check "and is shown escaped" grep -qF "'2024-01-01\nvarnel: forged'" "$tmp/err"
check "a terminal escape" exits 2 "$varnel" "$(printf 'conv\033[2J\033]0;x\007ert')"
check "never reaches the terminal" python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); assert b"\x1b" not in d and b"\x07" not in d and b"\\x1B[2J" in d, d' "$tmp/err"
check "a terminal escape in a surplus argument" exits 2 "$varnel" cities "$(printf '\033[2J')"
check "is escaped as well" grep -qF "'\x1B[2J'" "$tmp/err"
check "a 100 KB argument" exits 2 "$varnel" year "$(head -c 100000 /dev/zero | tr '\0' 7)"
check "gives a short message" test "$(wc -c <"$tmp/err")" -lt 200
check "--city where no place is used" refused 2 "$varnel" convert 2026-01-01 --city "Jerusalem, Israel"
check "naming the command" grep -q "does not apply to convert" "$tmp/err"
for cmd in "resources" "dates 2026"; do
  # shellcheck disable=SC2086
  check "--city refused by $cmd" exits 2 "$varnel" $cmd --city "Jerusalem, Israel"
done

# Both ends of the calendar under POSIX rule zones: every year ends, within a
# time limit. The first and last seven years start on every weekday; the zones run side by side.
zone_ends() {
  local tz
  for tz in 'CET-1CEST,M3.5.0,M10.5.0/3' 'EST5EDT,M3.2.0,M11.1.0' 'AEST-10AEDT,M10.1.0,M4.1.0/3'; do
    for y in 1 2 3 4 5 6 7 9993 9994 9995 9996 9997 9998 9999; do
      env TZ="$tz" HOME="$tmp" XDG_CONFIG_HOME="$tmp/cfg" timeout 20 "$varnel" day "$(printf %04d "$y")-06-01" \
        >/dev/null 2>&1 || { echo "  TZ=$tz year $y: exit $?"; exit 1; }
    done &
  done
  local failed=0 job
  for job in $(jobs -p); do wait "$job" || failed=1; done
  return "$failed"
}
check "the first and last years under three POSIX zones" zone_ends
# Year 1 on the place's own clock: its first standard time, no daylight time.
check "year 1 in summer" exits 0 timeout 20 env TZ='CET-1CEST,M3.5.0,M10.5.0/3' HOME="$tmp" XDG_CONFIG_HOME="$tmp/cfg" \
  "$varnel" sun 0001-07-01 --city "Jerusalem, Israel" --json
check "is standard time" grep -q '"daylight":false' "$tmp/out"

finish
