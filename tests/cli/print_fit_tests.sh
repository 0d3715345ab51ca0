#!/usr/bin/env bash
# Printouts that fit their paper, read back with pdftotext -bbox: the pocket
# calendar page, the Shabbat printout on A5 and the calendar page on Letter.
# No word leaves its page or overlaps another, and every cell's portion,
# clock time and date prints, whole or shortened only by the printouts' rules.
# Usage: print_fit_tests.sh PATH/TO/varnel
set -u
varnel="$1"
here="$(dirname "$0")"
# shellcheck source=checks.sh
source "$here/checks.sh"
export XDG_CONFIG_HOME="$tmp/config" HOME="$tmp/home"  # default settings

# What a month's printouts must show, from the program's own month and Shabbat rows.
expect() {  # month, kind (page|shabbat), output json
  "$varnel" month "$1" --json >"$tmp/month-model.json" && "$varnel" shabbat "$1" --json >"$tmp/shabbat-model.json" &&
  python3 - "$tmp/month-model.json" "$tmp/shabbat-model.json" "$2" >"$3" <<'PY'
import json, re, sys
month, shabbat, kind = json.load(open(sys.argv[1])), json.load(open(sys.argv[2])), sys.argv[3]
rows = shabbat["rows"]
words = [r["date"] for r in rows] + [r["times"] for r in rows]
names = [r["portion"] for r in rows if r["portion"]] + [r["readings"].replace(";", ",") for r in rows]
portions = {r["portion"] for r in rows if r["portion"]}
if kind == "page":
    for row in month["grid"][1:]:
        for cell in row:
            if cell["text"].startswith("Floating info"):
                continue
            lines = cell["text"].split("\r\n")
            words += re.findall(r"\d{1,2}:\d\d [AP]M", cell["text"])
            names += [l for l in lines if l in portions]
            words += [l for l in lines[:1] if l]  # the Hebrew date
print(json.dumps({"words": words, "names": names}))
PY
}

fits() {  # pdf, expected json
  python3 "$here/printed_words.py" "$1" "$2"
}

for month in 2026-04 2027-10; do
  check "pocket page $month" exits 0 "$varnel" print month $month --size pocket --output "$tmp/pocket-$month.pdf"
  expect $month page "$tmp/pocket-$month.json"
  check "pocket page $month fits" fits "$tmp/pocket-$month.pdf" "$tmp/pocket-$month.json"
  check "pocket page $month is one page" sh -c "pdfinfo '$tmp/pocket-$month.pdf' | grep -q '^Pages: *1$'"
done
# 27 June 2026 reads Chukat/Balak (Tazria/Metzora in April falls on Rosh Chodesh Iyar).
check "the joined pair keeps its first name in a pocket cell" sh -c \
  "'$varnel' print month 2026-06 --size pocket --output '$tmp/pocket-2026-06.pdf' >/dev/null &&
   pdftotext '$tmp/pocket-2026-06.pdf' - | grep -Eq '(^| )Chukat\$'"

check "A5 Shabbat printout" exits 0 "$varnel" print shabbat 2027-10 --paper a5 --output "$tmp/shabbat-a5.pdf"
expect 2027-10 shabbat "$tmp/shabbat.json"
check "A5 Shabbat printout fits" fits "$tmp/shabbat-a5.pdf" "$tmp/shabbat.json"

check "Letter page" exits 0 "$varnel" print month 2026-04 --paper letter --output "$tmp/letter.pdf"
expect 2026-04 page "$tmp/letter.json"
check "Letter page fits" fits "$tmp/letter.pdf" "$tmp/letter.json"

# The checker itself finds what it is for: a word cut without the rule, and words on top of each other.
echo '{"words": ["10/02"], "names": ["Shemot", "Tazria/Metzora"]}' >"$tmp/cut.json"
check "cut words are missed" python3 - "$here" <<'PY'
import sys; sys.path.insert(0, sys.argv[1]); import printed_words as p
w = lambda t, x: (x, 0, x + 10, 5, t)
words = [w("10/", 0), w("Shem", 20), w("Tazria/", 40), w("Metzo", 60), w("Bere\u2026", 80)]
missing = p.missing_texts(words, {"words": ["10/02"], "names": ["Shemot", "Tazria/Metzora", "Bereshit"]})
assert missing == ["10/02", "Shemot", "Tazria/Metzora"], missing
PY
check "overlaps and words off the page are found" python3 -c "
import sys; sys.path.insert(0, '$here'); import printed_words as p
assert len(p.placement_faults(100, 100, [(0, 0, 10, 5, 'a'), (9, 4, 20, 9, 'b'), (95, 0, 101, 5, 'c')])) == 2"

finish
