#!/usr/bin/env python3
"""Reads a printed PDF back with poppler's `pdftotext -bbox` and checks that
its words fit: every word inside its page, no two words overlapping, and the
expected texts present, whole or shortened only by the printouts' rules (a
word cut with an ellipsis, a joined pair of portions kept as its first name).

Usage: printed_words.py FILE.pdf EXPECTED.json
EXPECTED.json: {"words": [...], "names": [...]} - words that must print whole
(dates, clock times), and names (portions, holy days) that may be shortened.
"""
import json
import subprocess
import sys
import xml.etree.ElementTree as ET

ELLIPSIS = "\u2026"
EPS = 0.01  # points


def pages(pdf):
    xml = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True, capture_output=True, text=True).stdout
    root = ET.fromstring(xml)
    for page in root.iter("{http://www.w3.org/1999/xhtml}page"):
        words = [(float(w.get("xMin")), float(w.get("yMin")), float(w.get("xMax")), float(w.get("yMax")), w.text or "")
                 for w in page.iter("{http://www.w3.org/1999/xhtml}word")]
        yield float(page.get("width")), float(page.get("height")), words


def placement_faults(width, height, words):
    faults = []
    for x0, y0, x1, y1, text in words:
        if x0 < -EPS or y0 < -EPS or x1 > width + EPS or y1 > height + EPS:
            faults.append("off the page: %r at %.1f,%.1f-%.1f,%.1f" % (text, x0, y0, x1, y1))
    ordered = sorted(words)
    for i, a in enumerate(ordered):
        for b in ordered[i + 1:]:
            if b[0] >= a[2] - EPS:
                break
            if min(a[3], b[3]) - max(a[1], b[1]) > EPS and min(a[2], b[2]) - max(a[0], b[0]) > EPS:
                faults.append("overlap: %r and %r" % (a[4], b[4]))
    return faults


def shortened_forms(word):
    """The prints a word may have under the rules, besides itself."""
    forms = []
    if "/" in word:  # a joined pair: split after its "/", or its first name alone
        first, rest = word.split("/", 1)
        forms.append((first + "/", rest))
        forms.append((first,))
        word = first
    forms.extend(("cut", word[:n]) for n in range(1, len(word)))
    return forms


def take(pool, text):
    if pool.get(text, 0) > 0:
        pool[text] -= 1
        return True
    return False


def missing_texts(words, expected):
    pool = {}
    for w in words:
        pool[w[4]] = pool.get(w[4], 0) + 1
    missing = []
    needed = [w for text in expected.get("words", []) for w in text.split()]
    names = [w for text in expected.get("names", []) for w in text.split()]
    for w in needed:
        if not take(pool, w):
            missing.append(w)
    left = [w for w in names if not take(pool, w)]  # whole prints first
    for w in left:
        found = False
        for form in shortened_forms(w):
            if form[0] == "cut":
                found = take(pool, form[1] + ELLIPSIS)
            elif all(pool.get(part, 0) > 0 for part in form):
                found = all(take(pool, part) for part in form)
            if found:
                break
        if not found:
            missing.append(w)
    return missing


def main():
    pdf, expected_path = sys.argv[1], sys.argv[2]
    expected = json.load(open(expected_path, encoding="utf-8"))
    faults, words = [], []
    for width, height, page_words in pages(pdf):
        faults += placement_faults(width, height, page_words)
        words += page_words
    faults += ["missing: %r" % w for w in missing_texts(words, expected)]
    for f in faults[:20]:
        print(pdf + ": " + f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
