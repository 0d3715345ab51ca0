#!/usr/bin/env bash
# The calendar page and the year export from the command line, read back by
# independent readers: pdfinfo/pdftotext, Python's HTML parser, unrtf.
# Usage: calendar_page_tests.sh PATH/TO/varnel
set -u
varnel="$1"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"
export XDG_CONFIG_HOME="$tmp/config" HOME="$tmp/home"  # default settings
has() { grep -q -- "$1" "$2"; }

# PDF: one page, the title and every day's Hebrew date; A5 when pocket-sized.
check "page as PDF" exits 0 "$varnel" print month 2026-04 --output "$tmp/apr.pdf" --paper letter
check "one letter page" sh -c "pdfinfo '$tmp/apr.pdf' | grep -q '^Pages: *1$' && pdfinfo '$tmp/apr.pdf' | grep -q '612 x 792'"
pdftotext -layout "$tmp/apr.pdf" "$tmp/apr.txt"
check "title on the page" has "Nisan-Iyar 5786 / April 2026" "$tmp/apr.txt"
check "every day's text" python3 -c '
import sys,re
t=open(sys.argv[1]).read()
days=["Nisan %d" % d for d in range(14,31)]+["Iyar %d" % d for d in range(1,14)]
missing=[d for d in days if not re.search(r"\b%s\b" % d, t)]
assert not missing, missing
for n in range(1,31): assert re.search(r"\b%d\b" % n, t), n
assert "Shabbat Pesach" in t and re.search(r"Tazria/\s", t) and "Metzora" in t and "Parashah" in t  # a joined name may break after its slash
assert "Candles: 7:28 PM" in t and "Havdalah: 8:28 PM" in t  # the Shabbat table carries the times' "$tmp/apr.txt"
check "pocket as PDF" exits 0 "$varnel" print month 2027-01 --size pocket --output "$tmp/pocket.pdf"
check "pocket is one A5 page" sh -c "pdfinfo '$tmp/pocket.pdf' | grep -q '^Pages: *1$' && pdfinfo '$tmp/pocket.pdf' | grep -q '(A5)'"
check "pocket title" sh -c "pdftotext '$tmp/pocket.pdf' - | grep -q 'January 2027'"
check "pocket prints no picture" sh -c "[ \$(pdfimages -list '$tmp/pocket.pdf' | tail -n +3 | wc -l) -eq 0 ]"
check "page prints the picture" sh -c "[ \$(pdfimages -list '$tmp/apr.pdf' | tail -n +3 | wc -l) -ge 1 ]"
check "no picture asked" exits 0 "$varnel" print month 2026-04 --no-picture --output "$tmp/bare.pdf"
check "no picture printed" sh -c "[ \$(pdfimages -list '$tmp/bare.pdf' | tail -n +3 | wc -l) -eq 0 ]"

# HTML: parsed; three tables, the colours and the picture beside the file.
check "page as HTML" exits 0 "$varnel" print month 2026-04 --output "$tmp/Apr.HTML" --theme summer
check "HTML parses with its tables" python3 - "$tmp/Apr.HTML" <<'PY'
import sys, html.parser, os
class P(html.parser.HTMLParser):
    def __init__(s):
        super().__init__(); s.tables=0; s.cells=[]; s.cur=None; s.imgs=[]; s.styles=[]; s.heads=[]; s.corners=[]; s.corner=False; s.charset=False
    def handle_starttag(s, tag, attrs):
        a=dict(attrs)
        if tag=="meta" and a.get("charset","").lower()=="utf-8": s.charset=True
        if tag=="table": s.tables+=1
        if tag=="td": s.cur=[]; s.styles.append(a.get("style",""))
        if tag=="th": s.heads.append(a.get("scope"))
        if tag=="span" and a.get("class")=="corner": s.corner=True
        if tag=="img": s.imgs.append(a["src"])
    def handle_endtag(s, tag):
        if tag=="td": s.cells.append("".join(s.cur)); s.cur=None
    def handle_data(s, d):
        if s.cur is not None: s.cur.append(d)
        if s.corner: s.corners.append(d); s.corner=False
p=P(); p.feed(open(sys.argv[1], encoding="utf-8").read())
assert p.charset and p.tables==3, (p.charset, p.tables)
assert p.heads==["col"]*11, p.heads  # the weekdays and the Shabbat table's four
page=open(sys.argv[1], encoding="utf-8").read()
assert "break-word" not in page and "anywhere" not in page and "break-all" not in page
assert "Nisan-Iyar 5786 / April 2026" in p.cells, p.cells[:3]
assert any(c.startswith("1Nisan 14") and "Pesach" in c for c in p.cells)  # the day number, then the texts
assert "Nisan 16 7:46 PM to Nisan 17 7:47 PM" + "Candles: 7:28 PM" + "Havdalah: 8:28 PM" in p.cells, p.cells[-8:]  # the Shabbat times, a line each
assert p.corners==[str(d) for d in range(1,31)], p.corners
assert any("background:#ffff80" in s for s in p.styles)  # summer's light colour
assert any("background:#c0c000" in s for s in p.styles)  # summer's blank cells
assert p.imgs==["Apr-picture.jpg"] and os.path.getsize(os.path.join(os.path.dirname(sys.argv[1]), p.imgs[0]))>1000
PY

# RTF: read back by unrtf.
check "page as RTF" exits 0 "$varnel" print month 2026-04 --output "$tmp/apr.rtf"
(cd "$tmp" && unrtf --text apr.rtf >rtf.txt 2>/dev/null)  # unrtf writes the picture beside it
(cd "$tmp" && unrtf --html apr.rtf >rtf.html 2>/dev/null)
check "RTF texts" sh -c "grep -q 'Nisan-Iyar 5786 / April 2026' '$tmp/rtf.txt' && grep -q 'Acharei Mot/Kedoshim' '$tmp/rtf.txt' && grep -q 'Count day 27 of Omer tonight' '$tmp/rtf.txt' && grep -q '^Havdalah: 8:28 PM' '$tmp/rtf.txt'"
check "RTF picture embedded" has "picture dimensions are 1800 by 600" "$tmp/rtf.txt"
check "RTF tables" python3 -c '
import sys; h=open(sys.argv[1], errors="replace").read().lower()
assert h.count("<table")>=1 and h.count("<tr")==12, (h.count("<table"), h.count("<tr"))' "$tmp/rtf.html"

# Every script keeps the run's size and weight: a holy day named in Hebrew too
# is read back by unrtf at the run's size, and every run of the file gives the
# complex-script and east-Asian controls the same size and weight as the Latin ones.
mkdir -p "$tmp/hebrew" && cp "$(dirname "$varnel")"/*.dat "$tmp/hebrew/"
sed -i 's/^name=Yom Kippur$/name=Yom Kippur \xd7\x99\xd7\x95\xd7\x9d \xd7\x9b\xd7\x99\xd7\xa4\xd7\x95\xd7\xa8/' "$tmp/hebrew/holydays.dat"
check "page with Hebrew as RTF" exits 0 "$varnel" print month 2027-10 --size pocket --data-dir "$tmp/hebrew" --output "$tmp/he.rtf"
(cd "$tmp" && unrtf --html he.rtf >he.html 2>/dev/null)
check "unrtf reads the Hebrew at the cell's size, bold" python3 - "$tmp/he.html" <<'PY'
import sys, re, html
t = html.unescape(open(sys.argv[1], encoding="utf-8", errors="replace").read())
m = re.search(r'<span style="font-size:(\d+)pt"><b>(?:[^<]|<(?!/b>)[^>]*>)*?\u05d9\u05d5\u05dd \u05db\u05d9\u05e4\u05d5\u05e8', t)
assert m and m.group(1) == "5", m and m.group(0)
PY
check "every run sizes and weighs every script alike" python3 - "$tmp/he.rtf" <<'PY'
import sys, re
rtf = open(sys.argv[1], encoding="ascii").read()
runs = re.findall(r"\{\\rtlch([^ ]*) ", rtf)
assert len(runs) > 50, len(runs)
for run in runs:
    words = re.findall(r"\\([a-z]+)(-?\d*)", "\\rtlch" + run)
    state, props = None, {}
    for word, arg in words:
        if word in ("rtlch", "ltrch", "hich", "dbch", "loch"): state = word; continue
        props.setdefault(state, {})[word] = arg
    rtl, ltr = props["rtlch"], props["ltrch"]
    assert rtl["afs"] == ltr["fs"] == props["hich"]["afs"] == props["dbch"]["afs"], run
    assert rtl["ab"] == ltr["b"] == props["hich"]["ab"] == props["dbch"]["ab"], run
    assert rtl["af"] == ltr["f"] == props["hich"]["af"] == props["dbch"]["af"] == props["loch"]["f"], run
hebrew = rtf.count("\\u1497?\\u1493?\\u1501?")
assert hebrew == 1, hebrew
PY

# The year: index and twelve pages; every link resolves to a page written.
check "export a year" exits 0 "$varnel" export-year 2026 --dir "$tmp/year"
check "prints the index" sh -c "[ \"\$(cat '$tmp/out')\" = '$tmp/year/2026.htm' ]"
check "index links resolve" python3 - "$tmp/year" <<'PY'
import sys, os, html.parser
folder=sys.argv[1]
class P(html.parser.HTMLParser):
    links=[]
    def handle_starttag(s, tag, attrs):
        if tag=="a": s.links.append(dict(attrs)["href"])
P().feed(open(os.path.join(folder,"2026.htm"), encoding="utf-8").read())
months=["January","February","March","April","May","June","July","August","September","October","November","December"]
assert P.links==[m+"2026.htm" for m in months], P.links
for l in P.links: assert os.path.getsize(os.path.join(folder,l))>1000, l
assert sorted(os.listdir(folder))==sorted(["2026.htm"]+P.links), os.listdir(folder)
assert "Tishrei" in open(os.path.join(folder,"September2026.htm"), encoding="utf-8").read()
PY
mkdir -p "$tmp/data-copy" && cp "$(dirname "$varnel")"/*.dat "$tmp/data-copy/"
check "default folder of the data" exits 0 "$varnel" export-year 2027 --data-dir "$tmp/data-copy" 
check "the data folder's Export/HTML/2027" test -f "$tmp/data-copy/Export/HTML/2027/2027.htm"

# Bad arguments: exit 2, one line, nothing written (a pipe as the picture is refused, not waited on).
mkfifo "$tmp/pipe.jpg"
for bad in "print month 2026-13 --output $tmp/x.pdf" "print month 2026-04 --output $tmp/x.doc" \
           "print month 2026-04 --output $tmp/x.pdf --size huge" "print month 2026-04 --output $tmp/x.pdf --theme spring" \
           "print month 2026-04 --output $tmp/x.pdf --picture $tmp/none.jpg" "print month 2026-04 --output $tmp/nodir/x.pdf" \
           "print month 2026-04 --output $tmp/x.pdf --picture $tmp/pipe.jpg" \
           "print month 2026-04" "export-year 10000"; do
  # shellcheck disable=SC2086
  check "bad: $bad" refused 2 timeout 60 "$varnel" $bad
done
# A folder that cannot be written is a file system problem, not a bad command line.
check "export-year into /proc" exits 1 "$varnel" export-year 2026 --dir /proc/varnel
check "print into /sys" exits 1 "$varnel" print month 2026-04 --output /sys/x.pdf
check "its message names the cause" grep -q "Permission denied" "$tmp/err"
check "no partial files" sh -c "[ -z \"\$(ls '$tmp' | grep '^x\\.')\" ] && [ ! -e '$tmp/nodir' ]"

finish
