"""Icon (.ico) and cursor (.cur) files with bitmap frames, written byte by byte.

Each frame is a BITMAPINFOHEADER whose height counts the colour bitmap and the
mask, the palette (4 and 8 bits), the colour bitmap and the 1-bit AND mask, both
bottom-up with rows padded to 4 bytes. A mask bit of 1 lets the screen show
through; under it the colour bits are black so that nothing is inverted.
"""

import struct

from palette import VGA16, indexed_palette, opaque


def _row_bytes(width, bpp):
    return (width * bpp + 31) // 32 * 4


def _pack_bits(values, bpp, width):
    """One row of `bpp`-bit values, leftmost pixel in the high bits, padded."""
    out = bytearray(_row_bytes(width, bpp))
    per_byte = 8 // bpp
    for i, v in enumerate(values):
        shift = 8 - bpp * (i % per_byte + 1)
        out[i // per_byte] |= v << shift
    return bytes(out)


def _mask_rows(picture, threshold):
    return [[1 if p[3] < threshold else 0 for p in row] for row in picture.rows]


def _palette_indices(picture, table):
    lookup = {c: i for i, c in reversed(list(enumerate(table)))}
    rows = []
    for y, row in enumerate(picture.rows):
        out = []
        for x, p in enumerate(row):
            if p[3] == 0:
                out.append(0)
            elif p[3] != 255:
                raise ValueError("pixel (%d, %d) is half transparent in a palette frame" % (x, y))
            elif p not in lookup:
                raise ValueError("pixel (%d, %d) colour %r is not in the palette" % (x, y, p))
            else:
                out.append(lookup[p])
        rows.append(out)
    return rows


def bitmap_frame(picture, bpp):
    """The bytes of one frame at 4, 8 or 32 bits per pixel."""
    w, h = picture.width, picture.height
    if bpp == 32:
        palette_bytes = b""
        colour_rows = [
            b"".join(bytes((p[2], p[1], p[0], p[3])) if p[3] else bytes(4) for p in row)
            for row in picture.rows
        ]
        # A mask that follows the visible shape serves whatever ignores alpha.
        mask = _mask_rows(picture, 128)
    elif bpp in (4, 8):
        table = VGA16 if bpp == 4 else indexed_palette(picture.colours(), 256)
        palette_bytes = b"".join(bytes((c[2], c[1], c[0], 0)) for c in table)
        indices = _palette_indices(picture, [opaque(c) for c in table])
        colour_rows = [_pack_bits(row, bpp, w) for row in indices]
        mask = _mask_rows(picture, 255)
    else:
        raise ValueError("unsupported depth %d" % bpp)
    colour_bits = b"".join(r.ljust(_row_bytes(w, bpp), b"\0") for r in reversed(colour_rows))
    mask_bits = b"".join(_pack_bits(r, 1, w) for r in reversed(mask))
    header = struct.pack(
        "<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(colour_bits) + len(mask_bits), 0, 0, 0, 0
    )
    return header + palette_bytes + colour_bits + mask_bits


def _container(kind, frames, entry_words):
    """ICONDIR, one 16-byte entry a frame, then the frames in the same order."""
    blobs = [bitmap_frame(pic, bpp) for pic, bpp in frames]
    offset = 6 + 16 * len(frames)
    head = struct.pack("<HHH", 0, kind, len(frames))
    entries = b""
    for (pic, bpp), blob in zip(frames, blobs):
        if pic.width > 256 or pic.height > 256:
            raise ValueError("a frame is at most 256 pixels a side")
        colours = 16 if bpp == 4 else 0
        words = entry_words(bpp)
        entries += struct.pack(
            "<BBBBHHII", pic.width % 256, pic.height % 256, colours, 0, *words, len(blob), offset
        )
        offset += len(blob)
    return head + entries + b"".join(blobs)


def icon_file(frames):
    """An .ico from (picture, bits per pixel) pairs."""
    return _container(1, frames, lambda bpp: (1, bpp))


def cursor_file(frames, hotspot):
    """A .cur: the entry carries the hot spot where an icon has planes and depth."""
    return _container(2, frames, lambda bpp: hotspot)
