#!/usr/bin/python3
"""Draws the default calendar picture, data/Images/templemount.jpg.

An original illustration in flat shapes: the Old City of Jerusalem seen from
the Mount of Olives at dusk -- the walls with their crenellations, the golden
dome on its octagon on the Temple Mount, the citadel's tower, domed roofs and
cypress trees against an evening sky. Everything is drawn here from numbers;
nothing is traced or copied. The picture is wide (3 : 1) because the calendar
page prints it across the top, a fifth of the page high.

Needs python3-pil. Run from the repository's root:
    /usr/bin/python3 tools/draw_templemount.py [OUTPUT]
"""
import math
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

W, H = 1800, 600
SCALE = 2  # drawn at twice the size, then reduced: smooth edges without antialiasing primitives


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def sky(img):
    """Dusk: deep blue overhead through violet to a warm glow at the horizon."""
    d = ImageDraw.Draw(img)
    stops = [(0.0, (22, 30, 74)), (0.35, (62, 56, 120)), (0.62, (176, 96, 120)),
             (0.80, (240, 150, 96)), (1.0, (252, 204, 128))]
    h = img.height
    for y in range(h):
        t = y / (h - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                d.line([(0, y), (img.width, y)], fill=lerp(c0, c1, (t - t0) / (t1 - t0)))
                break


def stars(d, w, h, rng):
    for _ in range(90):
        x, y = rng.uniform(0, w), rng.uniform(0, h * 0.32)
        r = rng.choice((1, 1, 1, 2)) * SCALE
        shade = rng.randint(190, 255)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(shade, shade, 255))


def moon(img, cx, cy, r):
    """A crescent: a disc less a disc shifted towards the upper right."""
    mask = Image.new("L", img.size, 0)
    m = ImageDraw.Draw(mask)
    m.ellipse([cx - r, cy - r, cx + r, cy + r], fill=255)
    off = r * 0.45
    m.ellipse([cx - r + off, cy - r - off * 0.3, cx + r + off, cy + r - off * 0.3], fill=0)
    img.paste((250, 244, 214), mask=mask)


def hills(d, w, base, amp, colour, seed, step=12):
    rng = random.Random(seed)
    pts = [(0, base)]
    phase = rng.uniform(0, 6.28)
    for x in range(0, w + step, step):
        y = base - amp * (0.6 + 0.4 * math.sin(x / (w / 3.1) + phase)) - rng.uniform(0, amp * 0.08)
        pts.append((x, y))
    pts += [(w, d.im.size[1]), (0, d.im.size[1])]
    d.polygon(pts, fill=colour)


def wall(d, x0, x1, top, bottom, colour, merlon, gap):
    """A stretch of city wall with its crenellations."""
    d.rectangle([x0, top, x1, bottom], fill=colour)
    x = x0
    while x < x1:
        d.rectangle([x, top - merlon, min(x + gap, x1), top], fill=colour)
        x += gap * 2


def house(d, x, ground, w, h, colour, dome=False, window=None):
    d.rectangle([x, ground - h, x + w, ground], fill=colour)
    if dome:
        r = w * 0.32
        cx = x + w / 2
        d.pieslice([cx - r, ground - h - r, cx + r, ground - h + r], 180, 360, fill=colour)
    if window:
        ww = max(2 * SCALE, w * 0.12)
        d.rectangle([x + w * 0.3, ground - h * 0.6, x + w * 0.3 + ww, ground - h * 0.6 + ww * 1.6], fill=window)


def cypress(d, x, ground, h, colour):
    w = h * 0.16
    d.ellipse([x - w, ground - h, x + w, ground + w * 0.5], fill=colour)


def dome_of_the_mount(d, cx, ground, s):
    """The golden dome on its blue octagon, on a raised platform."""
    stone = (226, 196, 150)
    d.rectangle([cx - 190 * s, ground - 26 * s, cx + 190 * s, ground], fill=stone)      # platform
    d.rectangle([cx - 120 * s, ground - 34 * s, cx + 120 * s, ground - 26 * s], fill=(214, 182, 138))
    body_top = ground - 98 * s
    d.rectangle([cx - 100 * s, body_top, cx + 100 * s, ground - 34 * s], fill=(46, 96, 168))  # octagon
    for i in range(-4, 5):                                                           # arched windows
        wx = cx + i * 21 * s
        d.rectangle([wx - 5 * s, body_top + 22 * s, wx + 5 * s, body_top + 48 * s], fill=(28, 58, 112))
        d.pieslice([wx - 5 * s, body_top + 17 * s, wx + 5 * s, body_top + 27 * s], 180, 360, fill=(28, 58, 112))
    d.rectangle([cx - 100 * s, body_top, cx + 100 * s, body_top + 8 * s], fill=(236, 228, 210))
    d.rectangle([cx - 52 * s, body_top - 26 * s, cx + 52 * s, body_top], fill=(52, 104, 176))  # drum
    gold, light = (244, 190, 52), (252, 218, 110)
    drum_top = body_top - 26 * s
    d.chord([cx - 60 * s, drum_top - 84 * s, cx + 60 * s, drum_top + 84 * s], 180, 360, fill=gold)
    d.chord([cx - 44 * s, drum_top - 70 * s, cx - 8 * s, drum_top + 40 * s], 200, 270, fill=light)
    d.line([cx, drum_top - 84 * s, cx, drum_top - 108 * s], fill=gold, width=int(4 * s))
    d.ellipse([cx - 7 * s, drum_top - 106 * s, cx + 7 * s, drum_top - 92 * s], outline=gold, width=int(3 * s))


def tower(d, x, ground, w, h, colour, cap):
    """A slender tower with a balcony and a small cap."""
    d.rectangle([x, ground - h, x + w, ground], fill=colour)
    d.rectangle([x - w * 0.25, ground - h * 0.78, x + w * 1.25, ground - h * 0.74], fill=colour)
    d.rectangle([x - w * 0.15, ground - h - w * 0.2, x + w * 1.15, ground - h], fill=colour)
    d.pieslice([x - w * 0.1, ground - h - w * 1.2, x + w * 1.1, ground - h + w * 0.1], 180, 360, fill=cap)


def draw():
    w, h = W * SCALE, H * SCALE
    img = Image.new("RGB", (w, h))
    sky(img)
    d = ImageDraw.Draw(img)
    rng = random.Random(5787)
    stars(d, w, h, rng)
    moon(img, w * 0.83, h * 0.17, 34 * SCALE)

    hills(d, w, h * 0.62, h * 0.14, (104, 70, 112), seed=1, step=10 * SCALE)   # far hills, violet haze
    hills(d, w, h * 0.70, h * 0.09, (84, 58, 96), seed=2, step=10 * SCALE)

    s = SCALE
    ground = h * 0.80
    back = (152, 112, 112)
    for i in range(48):                                                         # houses behind the wall
        x = rng.uniform(-40, w)
        bw = rng.uniform(40, 110) * s
        bh = rng.uniform(40, 120) * s
        house(d, x, ground - 30 * s, bw, bh, back, dome=rng.random() < 0.35,
              window=(255, 214, 120) if rng.random() < 0.5 else None)

    dome_of_the_mount(d, w * 0.47, ground - 50 * s, s * 1.25)
    tower(d, w * 0.18, ground - 20 * s, 26 * s, 210 * s, (170, 126, 110), (120, 84, 84))     # citadel tower
    tower(d, w * 0.71, ground - 30 * s, 18 * s, 170 * s, (166, 122, 108), (120, 84, 84))
    house(d, w * 0.60, ground - 30 * s, 90 * s, 80 * s, (160, 118, 108), dome=True)        # a grey-domed church
    d.pieslice([w * 0.60 + 14 * s, ground - 30 * s - 80 * s - 38 * s, w * 0.60 + 76 * s,
                ground - 30 * s - 80 * s + 24 * s], 180, 360, fill=(120, 118, 132))

    wall_col = (196, 150, 118)
    wall(d, -10, w + 10, ground - 40 * s, h, wall_col, merlon=14 * s, gap=14 * s)
    for gx in (w * 0.08, w * 0.33, w * 0.58, w * 0.9):                          # towers of the wall
        d.rectangle([gx, ground - 92 * s, gx + 70 * s, h], fill=(204, 158, 124))
        wall(d, gx, gx + 70 * s, ground - 92 * s, ground - 80 * s, (204, 158, 124), 12 * s, 10 * s)
    gate = w * 0.33 + 35 * s                                                     # a gate's arch
    d.rectangle([gate - 18 * s, ground - 44 * s, gate + 18 * s, ground + 10 * s], fill=(70, 46, 52))
    d.pieslice([gate - 18 * s, ground - 62 * s, gate + 18 * s, ground - 26 * s], 180, 360, fill=(70, 46, 52))

    front = (46, 34, 52)                                                        # the slope in front
    pts = [(0, h)]
    for x in range(0, w + 20 * s, 20 * s):
        pts.append((x, ground + 26 * s + 18 * s * math.sin(x / (w / 5.0))))
    pts.append((w, h))
    d.polygon(pts, fill=front)
    for _ in range(26):
        x = rng.uniform(0, w)
        if abs(x - w * 0.47) < 240 * s:  # keep the view of the dome open
            continue
        cypress(d, x, ground + 40 * s, rng.uniform(70, 150) * s, (34, 52, 42))

    img = img.resize((W, H), Image.LANCZOS).filter(ImageFilter.SMOOTH)
    return img


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "data/Images/templemount.jpg"
    draw().save(out, "JPEG", quality=86, optimize=True, progressive=False)
    print(out)


if __name__ == "__main__":
    main()
