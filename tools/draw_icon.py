#!/usr/bin/env python3
"""Draws the application icon: a calendar sheet under a crescent moon, the
lunar month over the common one. Writes dist/icons/varnel.svg and renders the
hicolor PNG sizes from it with rsvg-convert (librsvg2-bin).

Usage: tools/draw_icon.py [OUTPUT_FOLDER]   (default: dist/icons)
"""
import pathlib
import shutil
import subprocess
import sys

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

NAVY = "#1f3a68"
NAVY_DARK = "#142848"
PAPER = "#fbf8f0"
PAPER_EDGE = "#c9c1ad"
CELL = "#d8d2c2"
FEAST = "#c0392b"
SHABBAT = "#3f6fb5"
GOLD = "#f2c14e"


def rect(x, y, w, h, fill, rx=0, extra=""):
    return (f'<rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" rx="{rx:g}" '
            f'fill="{fill}"{extra}/>')


def day_grid():
    """Three weeks of seven days; the last column is Shabbat, one day a feast."""
    cols, rows = 7, 3
    left, top, width, height, gap = 40, 118, 176, 92, 6
    w = (width - gap * (cols - 1)) / cols
    h = (height - gap * (rows - 1)) / rows
    cells = []
    for r in range(rows):
        for c in range(cols):
            fill = SHABBAT if c == cols - 1 else CELL
            if (r, c) == (1, 3):
                fill = FEAST
            cells.append(rect(left + c * (w + gap), top + r * (h + gap), w, h, fill, rx=3))
    return cells


def crescent():
    """The new moon's crescent that opens a Hebrew month, lit on its right: a disc
    less a disc shifted to the left, as one path between their two crossings."""
    cx, cy, r, cut_r, shift = 128, 62, 32, 28, 15
    # The circles cross where x - cx = (cut_r^2 - r^2 - shift^2) / (2 shift).
    dx = (cut_r ** 2 - r ** 2 - shift ** 2) / (2 * shift)
    dy = (r ** 2 - dx ** 2) ** 0.5
    top, bottom = (cx + dx, cy - dy), (cx + dx, cy + dy)
    return (f'<path d="M {top[0]:g} {top[1]:.2f} A {r} {r} 0 1 1 {bottom[0]:g} {bottom[1]:.2f} '
            f'A {cut_r} {cut_r} 0 0 0 {top[0]:g} {top[1]:.2f} Z" fill="{GOLD}"/>')


def svg():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        '<title>Varnel</title>',
        # Sheet with a shadow edge, then the header band with its binding rings.
        rect(20, 26, 216, 214, PAPER_EDGE, rx=22),
        rect(20, 20, 216, 212, PAPER, rx=22),
        f'<path d="M 20 42 A 22 22 0 0 1 42 20 H 214 A 22 22 0 0 1 236 42 V 104 H 20 Z" fill="{NAVY}"/>',
        rect(20, 98, 216, 6, NAVY_DARK),
        rect(70, 8, 14, 30, NAVY_DARK, rx=7),
        rect(172, 8, 14, 30, NAVY_DARK, rx=7),
        crescent(),
        *day_grid(),
        '</svg>',
    ]
    return "\n".join(parts) + "\n"


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "dist/icons")
    out.mkdir(parents=True, exist_ok=True)
    source = out / "varnel.svg"
    source.write_text(svg(), encoding="utf-8")
    converter = shutil.which("rsvg-convert")
    if not converter:
        sys.exit("rsvg-convert not found (apt-get install librsvg2-bin)")
    for size in SIZES:
        target = out / "hicolor" / f"{size}x{size}" / "apps" / "varnel.png"
        target.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([converter, "-w", str(size), "-h", str(size), "-o", str(target), str(source)],
                       check=True)
    print(f"wrote {source} and {len(SIZES)} PNG sizes")


if __name__ == "__main__":
    main()
