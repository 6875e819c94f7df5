"""Shared by the tests: the generator's folder on the import path, and decoders."""

import io
import os
import struct
import sys

ART = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ROOT = os.path.dirname(os.path.dirname(ART))
RESOURCES = os.path.join(ROOT, "src", "ui", "resources")
sys.path.insert(0, ART)

from PIL.IcoImagePlugin import IcoFile  # noqa: E402


def directory(data):
    """(type, entries) of an icon or cursor file, entries in file order."""
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    keys = ("width", "height", "colours", "reserved", "word1", "word2", "size", "offset")
    rows = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    return kind, [dict(zip(keys, row)) for row in rows]


def bitmap_header(data, entry):
    keys = ("size", "width", "height", "planes", "bpp", "compression", "image_size")
    return dict(zip(keys, struct.unpack_from("<IiiHHII", data, entry["offset"])))


def decode_frames(data):
    """Every frame decoded by PIL, as RGBA images keyed by (width, height, bpp)."""
    ico = IcoFile(io.BytesIO(data[:2] + b"\1\0" + data[4:]))
    out = {}
    for i, e in enumerate(ico.entry):
        depth = e["bpp"] if e["bpp"] in (4, 8, 32) else {16: 4, 0: 8}[e["nb_color"]]
        out[(e["width"], e["height"], depth)] = ico.frame(i).convert("RGBA")
    return out
