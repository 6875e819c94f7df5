"""The program icon: a wooden desk with a desk lamp shining on a sheet of paper."""

import palette as vga
from frames import system_colour_icon_frames
from raster import Layer, circle, from_map, linear_gradient, polygon, rect, rgb, stroke

# The 16-colour frames keep to the system colours; the larger ones are shaded.
FLAT = {
    "line": vga.BLACK,
    "top": vga.OLIVE,
    "front": vga.MAROON,
    "leg": vga.MAROON,
    "drawer": vga.MAROON,
    "knob": vga.YELLOW,
    "paper": vga.WHITE,
    "lit": vga.YELLOW,
    "metal": vga.GREY,
    "shade": vga.GREEN,
    "shine": vga.LIME,
    "bulb": vga.YELLOW,
    "beam": None,
}

SHADED = {
    "line": rgb("3A2414"),
    "top": linear_gradient(0, 15, rgb("D9A066"), 0, 18, rgb("B87A3F")),
    "front": linear_gradient(0, 18, rgb("9C5B2A"), 0, 21, rgb("7A4420")),
    "leg": linear_gradient(3, 0, rgb("8A4E24"), 7, 0, rgb("6A3A1A")),
    "drawer": linear_gradient(0, 21, rgb("A8672F"), 0, 29, rgb("7E4621")),
    "knob": rgb("F2D27A"),
    "paper": rgb("FFFFFF"),
    "lit": rgb("FFF4B0"),
    "metal": linear_gradient(0, 0, rgb("9AA6B2"), 4, 4, rgb("4E5866")),
    "shade": linear_gradient(12, 2, rgb("4CB860"), 22, 10, rgb("1E6A30")),
    "shine": rgb("9BE0A6"),
    "bulb": rgb("FFF27A"),
    "beam": rgb("FFF2A0", 110),
}


def layers(c):
    """The desk drawn on a 32-unit grid in the colours of `c`."""
    line = c["line"]
    out = [
        # Legs and pedestal first: the top covers their upper ends.
        Layer(rect(3, 19, 6.5, 30), c["leg"], line),
        Layer(rect(19, 19, 29, 30), c["leg"], line),
        Layer(rect(21, 21, 27, 24.5), c["drawer"], line),
        Layer(rect(21, 25, 27, 28.5), c["drawer"], line),
        Layer(rect(23, 22, 25, 23), c["knob"]),
        Layer(rect(23, 26, 25, 27), c["knob"]),
        # The top seen slightly from above, then its front edge.
        Layer(polygon([(3, 15), (29, 15), (31, 18.5), (1, 18.5)]), c["top"], line),
        Layer(rect(1, 18, 31, 21), c["front"], line),
        # A sheet of paper where the light falls.
        Layer(polygon([(14, 15.6), (22, 15.6), (23.5, 17.6), (13, 17.6)]), c["lit"]),
    ]
    if c["beam"] is not None:
        out.append(Layer(polygon([(12.5, 10), (21.5, 10), (25, 17.2), (10, 17.2)]), c["beam"]))
    out += [
        # The lamp: base, two arms with a joint, the shade and its bulb.
        Layer(rect(4, 13, 12, 16.2, radius=1.6), c["metal"], line),
        Layer(stroke(8, 13.5, 5.5, 6.5, 2.2), c["metal"], line),
        Layer(stroke(5.5, 6.5, 13.5, 3.5, 2.2), c["metal"], line),
        Layer(circle(5.5, 6.5, 1.8), c["metal"], line),
        Layer(circle(17, 11, 2.6), c["bulb"], line),
        Layer(polygon([(13, 1.5), (19, 1.5), (23, 10.5), (10, 10.5)]), c["shade"], line),
        Layer(polygon([(14.5, 3), (16, 3), (13.5, 9), (12, 9)]), c["shine"]),
    ]
    return out


# 16 x 16: the same desk with the detail a small frame can hold.
SMALL = [
    "......KKKKK.....",
    ".....KGLGGGK....",
    "..KK.KGLGGGK....",
    ".K8KKGLGGGGGK...",
    ".K8KKKKKKKKKK...",
    "..K8K..KYYK.....",
    "..K8K...KK......",
    "..K8K...........",
    ".KKKKKK.........",
    ".K8888K.........",
    "KKKKKKKKKKKKKKKK",
    "KOOOOOOYYYYYOOOK",
    "KKKKKKKKKKKKKKKK",
    ".KMK.....KMMMMK.",
    ".KMK.....KMYMMK.",
    ".KKK.....KKKKKK.",
]

SMALL_LEGEND = {
    "K": vga.BLACK, "O": vga.OLIVE, "M": vga.MAROON, "8": vga.GREY, "G": vga.GREEN,
    "L": vga.LIME, "Y": vga.YELLOW, "W": vga.WHITE,
}  # fmt: skip


def icon_frames():
    return system_colour_icon_frames(
        layers(FLAT), from_map(SMALL, SMALL_LEGEND), layers(SHADED)
    )
