import struct
import unittest

import support
from icofile import bitmap_frame, cursor_file, icon_file
from palette import BLACK, RED, VGA16, WHITE
from raster import TRANSPARENT, Picture


def picture(rows):
    return Picture(len(rows[0]), len(rows), rows)


def rgba_rows(image):
    w, h = image.size
    return [[image.getpixel((x, y)) for x in range(w)] for y in range(h)]


def seen(rows):
    """What a viewer shows: every clear pixel alike, whatever its colour bits."""
    return [[p if p[3] else TRANSPARENT for p in row] for row in rows]


class PaletteFrames(unittest.TestCase):
    def test_odd_widths_round_trip_at_every_depth(self):
        # 5 and 7 pixels wide: rows need padding at 4, 8 and 1 (mask) bits.
        for width in (5, 7):
            rows = [[VGA16[(x * 3 + y) % 16] for x in range(width)] for y in range(3)]
            rows[1][2] = TRANSPARENT
            for bpp in (4, 8, 32):
                data = icon_file([(picture(rows), bpp)])
                decoded = support.decode_frames(data)[(width, 3, bpp)]
                self.assertEqual(seen(rgba_rows(decoded)), rows, (width, bpp))

    def test_clear_pixels_are_black_under_the_mask(self):
        # A clear pixel with coloured bits would be XOR-ed onto the screen.
        rows = [[WHITE, TRANSPARENT], [RED, TRANSPARENT]]
        for bpp in (4, 8):
            frame = bitmap_frame(picture(rows), bpp)
            palette = frame[40 : 40 + 4 * (1 << bpp)]
            colour_bits = frame[40 + len(palette) :]
            bottom_row_index = colour_bits[0] & 15 if bpp == 4 else colour_bits[1]
            self.assertEqual(palette[4 * bottom_row_index : 4 * bottom_row_index + 3], b"\0\0\0")

    def test_header_counts_colour_bitmap_and_mask(self):
        frame = bitmap_frame(picture([[WHITE] * 32] * 32), 4)
        size, width, height, planes, bpp = struct.unpack_from("<IiiHH", frame)
        self.assertEqual((size, width, height, planes, bpp), (40, 32, 64, 1, 4))
        # 16 colours, 32 rows of 16 bytes, then 32 mask rows of 4 bytes.
        self.assertEqual(len(frame), 40 + 64 + 32 * 16 + 32 * 4)

    def test_refuses_what_the_depth_cannot_hold(self):
        with self.assertRaises(ValueError):
            bitmap_frame(picture([[(1, 2, 3, 255)]]), 4)  # not a system colour
        with self.assertRaises(ValueError):
            bitmap_frame(picture([[(255, 0, 0, 100)]]), 8)  # half clear
        many = [[(i, i, 255 - i, 255) for i in range(256)]]
        with self.assertRaises(ValueError):
            bitmap_frame(picture(many), 8)  # black keeps one of the 256 entries
        with self.assertRaises(ValueError):
            bitmap_frame(picture([[WHITE]]), 24)


class TrueColourFrames(unittest.TestCase):
    def test_alpha_survives_and_the_mask_follows_the_visible_shape(self):
        rows = [[(200, 10, 10, 255), (200, 10, 10, 200), (200, 10, 10, 60), TRANSPARENT]]
        data = icon_file([(picture(rows), 32)])
        decoded = support.decode_frames(data)[(4, 1, 32)]
        self.assertEqual([p[3] for p in rgba_rows(decoded)[0]], [255, 200, 60, 0])
        frame = bitmap_frame(picture(rows), 32)
        mask_byte = frame[40 + 16]
        self.assertEqual(mask_byte >> 4, 0b0011)


class Containers(unittest.TestCase):
    def test_directory_points_at_each_frame(self):
        shapes = ((WHITE, 32, 4), (RED, 16, 8), (BLACK, 48, 32))
        data = icon_file([(picture([[c] * s] * s), bpp) for c, s, bpp in shapes])
        kind, entries = support.directory(data)
        self.assertEqual(kind, 1)
        self.assertEqual([(e["width"], e["colours"], e["word1"], e["word2"]) for e in entries],
                         [(32, 16, 1, 4), (16, 0, 1, 8), (48, 0, 1, 32)])  # fmt: skip
        self.assertEqual(entries[0]["offset"], 6 + 16 * 3)
        for a, b in zip(entries, entries[1:]):
            self.assertEqual(a["offset"] + a["size"], b["offset"])
        self.assertEqual(entries[-1]["offset"] + entries[-1]["size"], len(data))

    def test_cursor_entry_carries_the_hot_spot(self):
        data = cursor_file([(picture([[WHITE] * 32] * 32), 4)], (12, 1))
        kind, (entry,) = support.directory(data)
        self.assertEqual((kind, entry["word1"], entry["word2"], entry["colours"]), (2, 12, 1, 16))


if __name__ == "__main__":
    unittest.main()
