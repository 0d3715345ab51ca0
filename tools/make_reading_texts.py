#!/usr/bin/env python3
"""Writes the reading texts torah.dat, torah.bak and haftarah.dat.

Every Torah, maftir and Haftarah reference of parashot.dat and holydays.dat
becomes one passage: the reference text, a space, then its verses, each after its number in
parentheses, ended by "|". The text is the public-domain World English Bible,
read with diatheke (Debian packages sword-text-web and diatheke; the chapter
lengths of the Hebrew numbering come from libsword-dev's canon_leningrad.h).

The references count verses as the Hebrew Bible does. Where the English Bible
numbers a passage differently the verse is fetched under its English number,
but shown under its Hebrew one, so every passage holds exactly the verses its
reference names.

Usage: tools/make_reading_texts.py [DATA_DIR]   (default: data/ of this tree)
"""
import html
import os
import re
import subprocess
import sys

MODULE = "engWEB2015eb"
CANON = "/usr/include/sword/canon_leningrad.h"

# Hebrew -> English verse numbers: (book, chapter, first verse, last verse,
# English chapter, verse offset). Only chapters that differ are listed.
SHIFTS = [
    ("Genesis", 32, 1, 1, 31, 54), ("Genesis", 32, 2, 33, 32, -1),
    ("Exodus", 7, 26, 29, 8, -25), ("Exodus", 8, 1, 28, 8, 4),
    ("Exodus", 20, 14, 23, 20, 3),
    ("Exodus", 21, 37, 37, 22, -36), ("Exodus", 22, 1, 30, 22, 1),
    ("Leviticus", 5, 20, 26, 6, -19), ("Leviticus", 6, 1, 23, 6, 7),
    ("Numbers", 17, 1, 15, 16, 35), ("Numbers", 17, 16, 28, 17, -15),
    # Hebrew 25:19 is the first half of English 26:1 ("After the plague").
    ("Numbers", 25, 19, 19, 26, -18),
    ("Numbers", 30, 1, 1, 29, 39), ("Numbers", 30, 2, 17, 30, -1),
    ("Deuteronomy", 13, 1, 1, 12, 31), ("Deuteronomy", 13, 2, 19, 13, -1),
    ("Deuteronomy", 23, 1, 1, 22, 29), ("Deuteronomy", 23, 2, 26, 23, -1),
    ("Deuteronomy", 28, 69, 69, 29, -68), ("Deuteronomy", 29, 1, 28, 29, 1),
    ("1 Samuel", 21, 1, 1, 20, 41), ("1 Samuel", 21, 2, 16, 21, -1),
    ("1 Samuel", 24, 1, 1, 23, 28), ("1 Samuel", 24, 2, 23, 24, -1),
    ("2 Samuel", 19, 1, 1, 18, 32), ("2 Samuel", 19, 2, 44, 19, -1),
    ("1 Kings", 5, 1, 14, 4, 20), ("1 Kings", 5, 15, 32, 5, -14),
    ("2 Kings", 12, 1, 1, 11, 20), ("2 Kings", 12, 2, 22, 12, -1),
    ("Isaiah", 8, 23, 23, 9, -22), ("Isaiah", 9, 1, 20, 9, 1),
    ("Isaiah", 64, 1, 11, 64, 1),
    ("Jeremiah", 8, 23, 23, 9, -22), ("Jeremiah", 9, 1, 25, 9, 1),
    # The synagogue's chapter 31 starts one verse later ("The people who
    # survived the sword"): its 31:1-19 is the English 31:2-20.
    ("Jeremiah", 31, 1, 39, 31, 1),
    ("Ezekiel", 21, 1, 5, 20, 44), ("Ezekiel", 21, 6, 37, 21, -5),
    ("Hosea", 2, 1, 2, 1, 9), ("Hosea", 2, 3, 25, 2, -2),
    ("Hosea", 12, 1, 1, 11, 11), ("Hosea", 12, 2, 15, 12, -1),
    ("Hosea", 14, 1, 1, 13, 15), ("Hosea", 14, 2, 10, 14, -1),
    ("Joel", 3, 1, 5, 2, 27), ("Joel", 4, 1, 21, 3, 0),
    ("Jonah", 2, 1, 1, 1, 16), ("Jonah", 2, 2, 11, 2, -1),
    ("Micah", 4, 14, 14, 5, -13), ("Micah", 5, 1, 14, 5, 1),
    ("Zechariah", 2, 1, 4, 1, 17), ("Zechariah", 2, 5, 17, 2, -4),
    ("Malachi", 3, 19, 24, 4, -18),
]
# Hebrew verses that hold several English ones: the synagogue reads "You shall
# not murder" to "You shall not give false testimony" as one verse, Exodus
# 20:13 (English 20:13-16), so its chapter ends at 20:23 (English 20:26).
MERGED = {("Exodus", 20, 13): [(20, 13), (20, 14), (20, 15), (20, 16)]}
# English verses that two Hebrew verses share, split after the words that end
# the first: Hebrew Numbers 25:19 is the start of English 26:1.
SPLITS = {("Numbers", 26, 1): "After the plague,"}
# Chapters whose length differs from the Leningrad table in the synagogue's numbering.
HEBREW_LENGTH_OVERRIDES = {("Jeremiah", 30): 25, ("Jeremiah", 31): 39, ("Exodus", 20): 23}
CANON_NAMES = {"I Samuel": "1 Samuel", "II Samuel": "2 Samuel", "I Kings": "1 Kings", "II Kings": "2 Kings"}


def hebrew_chapter_lengths():
    text = open(CANON, encoding="utf-8").read()
    books = re.findall(r'\{"([^"]+)", "[^"]+", "[^"]+", (\d+)\}', text.split("vm_leningrad")[0])
    counts = [int(n) for n in re.findall(r"\d+", text.split("int vm_leningrad[] = {")[1].split("};")[0])]
    lengths, i = {}, 0
    for name, chapters in books:
        for c in range(1, int(chapters) + 1):
            lengths[(CANON_NAMES.get(name, name), c)] = counts[i]
            i += 1
    lengths.update(HEBREW_LENGTH_OVERRIDES)
    return lengths


def to_english(book, chapter, verse):
    """The English (chapter, verse) numbers of a Hebrew verse, in order."""
    if (book, chapter, verse) in MERGED:
        return MERGED[(book, chapter, verse)]
    for b, c, first, last, ec, offset in SHIFTS:
        if b == book and c == chapter and first <= verse <= last:
            return [(ec, verse + offset)]
    return [(chapter, verse)]


def hebrew_verses(book, c1, v1, c2, v2, lengths):
    c, v = c1, v1
    while (c, v) <= (c2, v2):
        if v > lengths[(book, c)]:
            sys.exit(f"{book} {c}:{v} is past the end of its chapter")
        yield c, v
        if v == lengths[(book, c)]:
            c, v = c + 1, 1
        else:
            v += 1


RANGE = re.compile(r"^(.+?) (\d+):(\d+)(?:-(?:(\d+):)?(\d+))?$")


def parse_range(part):
    m = RANGE.match(part.strip())
    if not m:
        sys.exit(f"cannot read the reference '{part}'")
    book, c1, v1, c2, v2 = m.group(1), int(m.group(2)), int(m.group(3)), m.group(4), m.group(5)
    c2 = int(c2) if c2 else c1
    v2 = int(v2) if v2 else v1
    return book, c1, v1, c2, v2


def clean(osis):
    osis = re.sub(r"<note\b.*?</note>", "", osis, flags=re.S)
    osis = osis.replace("</w><w", "</w> <w")  # the module runs some words together
    osis = re.sub(r"<[^>]+>", "", osis)
    return re.sub(r"\s+", " ", html.unescape(osis)).strip()


def english_verses(book, first=None, last=None):
    """English (chapter, verse) -> text for the English range first..last (the
    whole book without a range)."""
    key = f"{book} {first[0]}:{first[1]}-{last[0]}:{last[1]}" if first else book
    out = subprocess.run(["diatheke", "-b", MODULE, "-f", "internal", "-k", key],
                         check=True, capture_output=True, text=True).stdout
    verses = {}
    for m in re.finditer(r"^[^\n]*? (\d+):(\d+): (.*?)(?=^[^\n]*? \d+:\d+: |^\(" + MODULE + r"\))",
                         out, flags=re.M | re.S):
        verses[(int(m.group(1)), int(m.group(2)))] = clean(m.group(3))
    return verses


def english_part(book, e, every, texts, taken):
    """The text of English verse e that belongs to the Hebrew verse at hand: the
    whole verse, or the half of a split verse that this occurrence takes."""
    marker = SPLITS.get((book,) + e)
    if marker is None or every.count(e) < 2:
        return texts[e]
    head, found, tail = texts[e].partition(marker)
    if not found:
        sys.exit(f"'{marker}' is not in {book} {e[0]}:{e[1]}")
    if e in taken:
        return tail.strip()
    taken.add(e)
    return (head + found).strip()


def passage(reference, lengths):
    words = []
    for part in reference.split(";"):
        book, c1, v1, c2, v2 = parse_range(part)
        hebrew = list(hebrew_verses(book, c1, v1, c2, v2, lengths))
        english = [to_english(book, c, v) for c, v in hebrew]
        every = [e for es in english for e in es]
        texts = english_verses(book, min(every), max(every))
        taken = set()
        for (c, v), es in zip(hebrew, english):
            parts = []
            for e in es:
                if e not in texts:
                    sys.exit(f"no English text for {book} {e[0]}:{e[1]} ({reference})")
                parts.append(english_part(book, e, every, texts, taken))
            text = " ".join(p for p in parts if p)
            if not text:
                sys.exit(f"no text left for {book} {c}:{v} ({reference})")
            words.append(f"({c}:{v}) {text}")
    body = " ".join(words)
    if "|" in body:
        sys.exit(f"'|' inside the text of {reference}")
    return reference + " " + body + "|"


def references(path, key):
    found = []
    for line in open(path, encoding="utf-8"):
        k, _, value = line.strip().partition("=")
        if k == key and value and value != "Weekly portion" and value not in found:
            found.append(value)
    return found


# The texts written, with the keys whose references they hold.
FILES = ((("torah", "maftir"), ["torah.dat", "torah.bak"]), (("haftarah",), ["haftarah.dat"]))


def file_texts(data, lengths):
    """(file names, their text, passage count) for each kind of text."""
    for keys, names in FILES:
        refs = []
        for key in keys:
            for f in ("parashot.dat", "holydays.dat"):
                refs += [r for r in references(os.path.join(data, f), key) if r not in refs]
        yield names, "".join(passage(r, lengths) for r in refs), len(refs)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    for names, text, count in file_texts(data, hebrew_chapter_lengths()):
        for name in names:
            with open(os.path.join(data, name), "w", encoding="utf-8", newline="") as out:
                out.write(text)
        print(f"{names[0]}: {count} passages, {len(text)} bytes")


if __name__ == "__main__":
    main()
