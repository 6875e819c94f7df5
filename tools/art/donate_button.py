"""The donation picture: a rounded button with two payment cards above the
words FAIRE UN DON."""

from font import text_pixels
from giffile import gif_file
from raster import Layer, linear_gradient, rect, render, rgb

WIDTH, TALL = 100, 44
COLOURS = 64
# Shown on a dialog's face colour: that colour also fills the clear corners for
# a reader that ignores transparency.
FACE = rgb("F0F0F0")
TEXT = rgb("000000")


def _card(left, light, dark):
    return linear_gradient(left, 6, rgb(light), left + 23, 22, rgb(dark))


def layers():
    return [
        Layer(
            rect(1, 1, 99, 43, radius=10),
            linear_gradient(0, 2, rgb("FFF2BC"), 0, 42, rgb("F4A623"), steps=8),
            rgb("9A6412"),
        ),
        # The front of one card: a chip and a line of digits.
        Layer(rect(26, 6, 49, 22, radius=2), _card(26, "3C6ED8", "163C94"), rgb("0E2460")),
        Layer(rect(29, 9, 35, 14, radius=1), rgb("F0CC60"), rgb("8A6A20")),
        Layer(rect(29, 16, 46, 18), rgb("C8D8FF")),
        # The back of another: its stripe and signature strip.
        Layer(rect(51, 6, 74, 22, radius=2), _card(51, "3CB060", "1A7038"), rgb("0C3A1C")),
        Layer(rect(51.5, 9, 73.5, 12), rgb("202020")),
        Layer(rect(54, 15, 66, 18), rgb("F8F8F8")),
    ]


def picture():
    """The button at full colour: smooth shapes, then crisp letters over them."""
    pic = render(layers(), WIDTH, design=WIDTH, samples=4, height=TALL)
    pixels, width = text_pixels("FAIRE UN DON")
    left, top = (WIDTH - width) // 2, 29
    for x, y in pixels:
        pic.rows[top + y][left + x] = TEXT
    return pic


def _on_face(p):
    """Clear, or opaque over the dialog face: the GIF has one bit of alpha."""
    if p[3] < 128:
        return None
    a = p[3] / 255.0
    return tuple(int(round(p[i] * a + FACE[i] * (1 - a))) for i in range(3))


def _nearest(colour, table):
    best, best_d = 1, None
    for i in range(1, len(table)):
        d = sum((a - b) ** 2 for a, b in zip(colour, table[i]))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def quantise(pixels):
    """Index 0 is the clear colour; the most frequent colours fill the rest, and
    every other colour takes its nearest neighbour among them."""
    counts = {}
    for p in pixels:
        if p is not None:
            counts[p] = counts.get(p, 0) + 1
    kept = sorted(counts, key=lambda c: (-counts[c], c))[: COLOURS - 1]
    table = [FACE[:3]] + kept
    table += [(0, 0, 0)] * (COLOURS - len(table))
    index = {c: i + 1 for i, c in enumerate(kept)}
    out = []
    for p in pixels:
        if p is None:
            out.append(0)
        else:
            if p not in index:
                index[p] = _nearest(p, table[: len(kept) + 1])
            out.append(index[p])
    return table, out


def gif_bytes():
    pic = picture()
    table, indices = quantise([_on_face(p) for row in pic.rows for p in row])
    return gif_file(WIDTH, TALL, table, indices, transparent=0)
