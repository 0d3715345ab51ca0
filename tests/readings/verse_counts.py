#!/usr/bin/env python3
"""The shipped reading texts against the World English Bible module.

Every passage of torah.dat and haftarah.dat must hold each English verse of its
reference once, in order, with no label left without text: the count of its
verses is checked against the module's own count for the English range the
reference covers. The shipped files must be exactly what the generator writes.
Skips (exit 77) when diatheke or the module is not installed.
"""
import os
import re
import shutil
import subprocess
import sys

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import make_reading_texts as gen  # noqa: E402


_books = {}
_fetch = gen.english_verses


def cached_verses(book, first, last):
    """english_verses over a whole book read once: a call of diatheke costs a second."""
    if book not in _books:
        _books[book] = _fetch(book)
    return {k: t for k, t in _books[book].items() if first <= k <= last}


gen.english_verses = cached_verses


def module_ready():
    if not shutil.which("diatheke") or not os.path.exists(gen.CANON):
        return False
    out = subprocess.run(["diatheke", "-b", gen.MODULE, "-k", "Genesis 1:1"], capture_output=True, text=True).stdout
    return "beginning" in out


def check_passage(ref, body, lengths, failures):
    """Compares the verses of one passage with the module's English range."""
    labels = re.split(r"\((\d+):(\d+)\) ?", body)[1:]
    texts = [labels[i + 2].strip() for i in range(0, len(labels), 3)]
    if any(not t for t in texts):
        failures.append(f"{ref}: a verse label without text")
    joined = " ".join(texts)
    expected = 0
    for part in ref.split(";"):
        book, c1, v1, c2, v2 = gen.parse_range(part)
        first = gen.to_english(book, c1, v1)[0]
        last = gen.to_english(book, c2, v2)[-1]
        verses = gen.english_verses(book, first, last)
        expected += len(verses)
        for key, text in verses.items():
            if text not in joined and not any(text.startswith(t) or text.endswith(t) for t in texts):
                failures.append(f"{ref}: English {book} {key[0]}:{key[1]} is missing")
    # A verse that two Hebrew verses share counts once.
    held = len({(b,) + e for b, c, v in hebrew_labels(ref, lengths) for e in gen.to_english(b, c, v)})
    if held != expected:
        failures.append(f"{ref}: {held} English verses, the module has {expected}")


def hebrew_labels(ref, lengths):
    for part in ref.split(";"):
        book, c1, v1, c2, v2 = gen.parse_range(part)
        for c, v in gen.hebrew_verses(book, c1, v1, c2, v2, lengths):
            yield book, c, v


def main():
    if not module_ready():
        print("diatheke or the World English Bible module is not installed: skipped")
        return 77
    data = os.path.join(SOURCE, "data")
    failures = []
    lengths = gen.hebrew_chapter_lengths()
    # The shipped files are what the generator writes.
    for names, text, _ in gen.file_texts(data, lengths):
        for name in names:
            if open(os.path.join(data, name), encoding="utf-8", newline="").read() != text:
                failures.append(f"{name} is not what tools/make_reading_texts.py writes")
    count = 0
    for name in ("torah.dat", "haftarah.dat"):
        for chunk in open(os.path.join(data, name), encoding="utf-8").read().split("|"):
            m = re.match(r"^(.*?) (\(\d+:\d+\).*)$", chunk, flags=re.S)
            if not m:
                continue
            check_passage(m.group(1), m.group(2), lengths, failures)
            count += 1
    # The Yitro passage: Hebrew Exodus 20:23 is the English 20:26.
    yitro = [c for c in open(os.path.join(data, "torah.dat"), encoding="utf-8").read().split("|")
             if c.startswith("Exodus 18:1-20:23 ")]
    if not yitro or "You shall not go up by steps to my altar" not in yitro[0]:
        failures.append("Exodus 18:1-20:23 does not end with the English Exodus 20:26")
    for f in failures:
        print("FAIL", f)
    print(f"{count} passages checked, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
