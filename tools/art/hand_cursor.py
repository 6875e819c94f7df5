"""The link cursor: a hand pointing up with its index finger."""

import palette as vga
from icofile import cursor_file
from raster import from_map

# The tip of the index finger: the pixel that clicks.
HOT_SPOT = (12, 1)

HAND = [
    "................................",
    "...........KKK..................",
    "..........KWWWK.................",
    "..........KWWWK.................",
    "..........KWWWK.................",
    "..........KWWWK.................",
    "..........KWWWK.................",
    "..........KWWWKKK...............",
    "..........KWWWKWWKKK............",
    "..........KWWWKWWKWWKKK.........",
    "..........KWWWKWWKWWKWWK........",
    "......KKK.KWWWKWWKWWKWWK........",
    ".....KWWWKKWWWWWWWWWWWWK........",
    ".....KWWWWKWWWWWWWWWWWWK........",
    "......KWWWWWWWWWWWWWWWWK........",
    "......KWWWWWWWWWWWWWWWWK........",
    ".......KWWWWWWWWWWWWWWWK........",
    ".......KWWWWWWWWWWWWWW8K........",
    "........KWWWWWWWWWWWWW8K........",
    "........KWWWWWWWWWWWWW8K........",
    ".........KWWWWWWWWWWW8K.........",
    ".........KWWWWWWWWWWW8K.........",
    ".........KKKKKKKKKKKKKK.........",
    ".........K888888888888K.........",
    ".........K888888888888K.........",
    ".........KKKKKKKKKKKKKK.........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]

LEGEND = {"K": vga.BLACK, "W": vga.WHITE, "8": vga.SILVER}


def cursor_bytes():
    return cursor_file([(from_map(HAND, LEGEND), 4)], HOT_SPOT)
