"""The save button: a stack of three diskettes."""

import palette as vga
from frames import system_colour_icon_frames
from raster import Layer, from_map, linear_gradient, polygon, rect, rgb

FLAT = {
    "line": vga.BLACK,
    "bodies": (vga.MAROON, vga.TEAL, vga.NAVY),
    "shutter": vga.SILVER,
    "slot": vga.GREY,
    "label": vga.WHITE,
    "writing": vga.BLUE,
}


def _shaded_body(top, bottom, x0, y0):
    return linear_gradient(x0, y0, rgb(top), x0 + 8, y0 + 20, rgb(bottom))


SHADED = {
    "line": rgb("101828"),
    "bodies": (
        _shaded_body("D05050", "7A1E1E", 10, 2),
        _shaded_body("3AA6A0", "1A5E5A", 6, 6),
        _shaded_body("4A6ED8", "1C2E78", 2, 10),
    ),
    "shutter": linear_gradient(0, 0, rgb("F0F2F6"), 0, 7, rgb("A8B0BC")),
    "slot": rgb("5C6470"),
    "label": rgb("FFFFFF"),
    "writing": rgb("6A86D8"),
}

SIZE = 20


def diskette(x, y, c, body, with_label):
    """One 3.5-inch diskette seen from the front, top left corner at (x, y)."""
    line, s = c["line"], SIZE
    out = [
        # The clipped top right corner tells it from a plain square.
        Layer(polygon([(x, y), (x + s - 2, y), (x + s, y + 2), (x + s, y + s), (x, y + s)]), body,
              line),
        Layer(rect(x + 5, y, x + 15, y + 7), c["shutter"], line),
        Layer(rect(x + 11, y + 2, x + 13, y + 5), c["slot"]),
    ]
    if with_label:
        out.append(Layer(rect(x + 3, y + 10, x + 17, y + SIZE), c["label"], line))
        out += [Layer(rect(x + 5, y + yy, x + 15, y + yy + 1), c["writing"]) for yy in (13, 16)]
    return out


def layers(c):
    out = []
    for k, body in enumerate(c["bodies"]):
        offset = 4 * (2 - k)
        out += diskette(2 + offset, 11 - offset + 0, c, body, k == 2)
    return out


SMALL = [
    "...KKKKKKKKKKKK.",
    "...KMM888MMMMMMK",
    "...KMM8K8MMMMMMK",
    "KKKKKKKKKKKKKMMK",
    "KNN888888NNNKMMK",
    "KNN8888K8NNNKMMK",
    "KNN888888NNNKMMK",
    "KNNNNNNNNNNNKMMK",
    "KNNNNNNNNNNNKMMK",
    "KNWWWWWWWWWNKMMK",
    "KNWBBBBBBBWNKMMK",
    "KNWWWWWWWWWNKMMK",
    "KNWBBBBBBBWNKKKK",
    "KNWWWWWWWWWNK...",
    "KNWWWWWWWWWNK...",
    "KKKKKKKKKKKKK...",
]

SMALL_LEGEND = {
    "K": vga.BLACK, "M": vga.MAROON, "N": vga.NAVY, "8": vga.SILVER,
    "W": vga.WHITE, "B": vga.BLUE,
}  # fmt: skip


def icon_frames():
    return system_colour_icon_frames(
        layers(FLAT), from_map(SMALL, SMALL_LEGEND), layers(SHADED)
    )
