#!/usr/bin/env python3
"""Writes the factory colour layouts (assets/Skins/UserDengColor_3.userd).

Ten named layouts of per-key colours for the custom lighting effect, keyed by
the keyboard's per-key colour order (KeyIndex 0..125). Run it again after
changing a layout; the file it writes is committed.
"""
import colorsys
import pathlib

# KeyIndex ranges of the keyboard's six rows, in colour order.
ROWS = [(0, 20), (21, 41), (42, 62), (63, 83), (84, 104), (105, 125)]
WASD = {44, 64, 65, 66}          # W A S D
ARROWS = {99, 119, 120, 121}     # Up Left Down Right
LETTERS = set(range(43, 53)) | set(range(64, 73)) | set(range(86, 93))
MODIFIERS = {84, 97, 105, 106, 107, 109, 113, 116, 63, 42}


def position(k):
    for row, (first, last) in enumerate(ROWS):
        if first <= k <= last:
            return row, (k - first) / max(1, last - first)
    return 0, 0.0


def hsv(h, s, v):
    r, g, b = colorsys.hsv_to_rgb(h % 1.0, s, v)
    return round(r * 255), round(g * 255), round(b * 255)


def gradient(stops, t):
    t = min(max(t, 0.0), 1.0) * (len(stops) - 1)
    i = min(int(t), len(stops) - 2)
    f = t - i
    return tuple(round(a + (b - a) * f) for a, b in zip(stops[i], stops[i + 1]))


# Each layout: name, colour of key k (or None: the base colour, marked), base colour, brush colour, tool.
LAYOUTS = [
    ("Rainbow", lambda k, row, x: hsv(x, 1, 1), (255, 255, 255), (255, 0, 0), 0),
    ("Ocean", lambda k, row, x: gradient([(0, 40, 120), (0, 140, 255), (0, 255, 200)], x), (0, 60, 160), (0, 255, 255), 0),
    ("Fire", lambda k, row, x: gradient([(255, 230, 0), (255, 110, 0), (200, 0, 0)], row / 5), (160, 0, 0), (255, 140, 0), 0),
    ("Forest", lambda k, row, x: gradient([(20, 90, 20), (60, 200, 40), (180, 255, 80)], x), (0, 80, 0), (120, 255, 0), 0),
    ("WASD", lambda k, row, x: (255, 0, 0) if k in WASD else None, (40, 40, 40), (255, 0, 0), 0),
    ("Gaming", lambda k, row, x: (255, 60, 0) if k in WASD or k in ARROWS else (0, 120, 255) if row == 0 else None, (20, 0, 60), (255, 60, 0), 0),
    ("Typing", lambda k, row, x: (255, 255, 255) if k in LETTERS else (0, 90, 255) if k in MODIFIERS else None, (60, 60, 80), (255, 255, 255), 0),
    ("Sunset", lambda k, row, x: gradient([(255, 200, 60), (255, 90, 60), (140, 40, 160)], (row / 5 + x) / 2), (120, 30, 120), (255, 120, 40), 0),
    ("Ice", lambda k, row, x: gradient([(255, 255, 255), (150, 220, 255), (40, 120, 255)], row / 5), (150, 220, 255), (255, 255, 255), 0),
    ("White", lambda k, row, x: None, (255, 255, 255), (255, 255, 255), 1),
]


def main():
    out = ["[PRESENTMODE]", "mode=0", "", "[MODENAME]"]
    out += [f"{n}={name}" for n, (name, *_rest) in enumerate(LAYOUTS)]
    for n, (name, colour, base, brush, tool) in enumerate(LAYOUTS):
        out += ["", f"[Mode{n}]"]
        for k in range(126):
            row, x = position(k)
            c = colour(k, row, x)
            r, g, b, mark = (*base, 1) if c is None else (*c, 0)
            out.append(f"{k}={r},{g},{b},{mark}")
        out.append(f"tool={tool}")
        out.append("jcolor=%d,%d,%d" % base)
        out.append("color=%d,%d,%d" % brush)
    target = pathlib.Path(__file__).resolve().parent.parent / "assets" / "Skins" / "UserDengColor_3.userd"
    target.write_text("\n".join(out) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
