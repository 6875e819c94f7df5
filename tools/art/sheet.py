"""The contact sheet: every frame of every file at 4x, as a decoder reads it back."""

import io
import struct

from PIL import Image, ImageDraw, ImageFont
from PIL.IcoImagePlugin import IcoFile

ZOOM = 4
GAP = 12
BACKGROUND = (176, 176, 176)
INK = (0, 0, 0)
HOT_SPOT = (255, 0, 255, 255)


def decoded_frames(name, data):
    """(label, RGBA image) for each frame, decoded by PIL rather than by us."""
    if name.endswith(".gif"):
        im = Image.open(io.BytesIO(data))
        return [("%dx%d GIF" % im.size, im.convert("RGBA"))]
    kind = struct.unpack_from("<H", data, 2)[0]
    # A cursor is laid out as an icon but for its type word, which PIL's icon
    # reader insists on; its own cursor reader ignores the mask.
    icons = IcoFile(io.BytesIO(data[:2] + b"\1\0" + data[4:]))
    out = []
    for index, entry in enumerate(icons.entry):
        image = icons.frame(index).convert("RGBA")
        if kind == 2:
            hx, hy = entry["planes"], entry["bpp"]
            marked = image.copy()
            marked.putpixel((hx, hy), HOT_SPOT)
            out.append(("%dx%d hot spot %d,%d" % (image.width, image.height, hx, hy), marked))
        depth = entry["bpp"] if kind == 1 else {16: 4, 0: 8}.get(entry["nb_color"], "?")
        out.append(("%dx%d %sbpp" % (image.width, image.height, depth), image))
    return out


def contact_sheet(files):
    """One band a file: its name, then its frames enlarged side by side."""
    font = ImageFont.load_default()
    bands = []
    for name, data in files:
        frames = decoded_frames(name, data)
        width = sum(im.width * ZOOM + GAP for _, im in frames) + GAP
        height = max(im.height * ZOOM for _, im in frames) + 36
        band = Image.new("RGBA", (max(width, 200), height), BACKGROUND + (255,))
        draw = ImageDraw.Draw(band)
        draw.text((GAP, 4), "%s  (%d bytes)" % (name, len(data)), fill=INK, font=font)
        x = GAP
        for label, im in frames:
            big = im.resize((im.width * ZOOM, im.height * ZOOM), Image.NEAREST)
            band.alpha_composite(big, (x, 20))
            draw.text((x, 22 + big.height), label, fill=INK, font=font)
            x += big.width + GAP
        bands.append(band)
    size = (max(b.width for b in bands), sum(b.height for b in bands))
    sheet = Image.new("RGB", size, BACKGROUND)
    y = 0
    for band in bands:
        sheet.paste(band.convert("RGB"), (0, y))
        y += band.height
    return sheet
