"""Colour tables shared by the pictures and the file writers."""

from raster import rgb

# The sixteen colours of a 4-bit Windows bitmap, in the order the system uses.
VGA16 = [
    rgb(c)
    for c in (
        "000000", "800000", "008000", "808000", "000080", "800080", "008080", "C0C0C0",
        "808080", "FF0000", "00FF00", "FFFF00", "0000FF", "FF00FF", "00FFFF", "FFFFFF",
    )
]  # fmt: skip

(BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE) = VGA16  # fmt: skip


def opaque(colour):
    return colour[:3] + (255,)


def indexed_palette(colours, size):
    """A palette of `size` entries holding black first (a transparent pixel's
    colour bits must be black for the mask to work), then `colours` in order."""
    table = [opaque(BLACK)]
    for c in colours:
        c = opaque(c)
        if c not in table:
            table.append(c)
    if len(table) > size:
        raise ValueError("%d colours do not fit a %d-entry palette" % (len(table), size))
    return table + [opaque(BLACK)] * (size - len(table))
