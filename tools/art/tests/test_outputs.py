"""The committed pictures: current, complete, and readable by other decoders."""

import contextlib
import io
import os
import shutil
import subprocess
import tempfile
import unittest

import support
from PIL import Image

import generate

DESK_LIKE = [(32, 4), (16, 4), (48, 32), (64, 32)]
COLOUR = [(32, 8), (48, 32), (64, 32)]
ICONS = {
    "icotrace.ico": DESK_LIKE,
    "save.ico": DESK_LIKE,
    "open.ico": COLOUR,
    "apply.ico": COLOUR,
    "about.ico": COLOUR,
    "quit.ico": COLOUR,
}


def committed(name):
    with open(os.path.join(support.RESOURCES, name), "rb") as f:
        return f.read()


class Current(unittest.TestCase):
    def test_check_accepts_the_committed_files_and_names_a_stale_one(self):
        with tempfile.TemporaryDirectory() as scratch:
            for name in ICONS:
                shutil.copy(os.path.join(support.RESOURCES, name), scratch)
            for name in ("link.cur", "donate.gif"):
                shutil.copy(os.path.join(support.RESOURCES, name), scratch)
            err = io.StringIO()
            with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(err):
                self.assertEqual(generate.check(scratch), 0)
                path = os.path.join(scratch, "quit.ico")
                data = bytearray(committed("quit.ico"))
                data[200] ^= 1
                with open(path, "wb") as f:
                    f.write(data)
                os.remove(os.path.join(scratch, "donate.gif"))
                self.assertEqual(generate.check(scratch), 1)
            self.assertIn("quit.ico", err.getvalue())
            self.assertIn("donate.gif", err.getvalue())
            self.assertNotIn("open.ico", err.getvalue())


class Icons(unittest.TestCase):
    def test_frames_sizes_and_depths(self):
        for name, expected in ICONS.items():
            data = committed(name)
            kind, entries = support.directory(data)
            self.assertEqual(kind, 1, name)
            got = []
            for e in entries:
                header = support.bitmap_header(data, e)
                # The bitmap's height counts the colour rows and the mask rows.
                self.assertEqual(header["width"], e["width"], name)
                self.assertEqual(header["height"], 2 * e["height"], name)
                self.assertEqual(e["colours"], 16 if header["bpp"] == 4 else 0, name)
                self.assertEqual(e["word2"], header["bpp"], name)
                got.append((e["width"], header["bpp"]))
            self.assertEqual(got, expected, name)

    def test_every_frame_decodes_with_a_clear_background(self):
        for name in ICONS:
            for key, image in support.decode_frames(committed(name)).items():
                alphas = [p[3] for p in image.getdata()]
                opaque = sum(1 for a in alphas if a == 255) / len(alphas)
                self.assertEqual(image.getpixel((0, 0))[3], 0, (name, key))
                self.assertTrue(0.25 < opaque < 0.95, (name, key, opaque))

    @unittest.skipUnless(shutil.which("identify"), "ImageMagick is not installed")
    def test_imagemagick_lists_the_same_frames(self):
        for name, expected in list(ICONS.items()) + [("link.cur", [(32, 4)])]:
            out = subprocess.run(
                ["identify", "-format", "%w %h %z\n", os.path.join(support.RESOURCES, name)],
                check=True, capture_output=True, text=True,
            ).stdout.split("\n")  # fmt: skip
            rows = [tuple(map(int, line.split())) for line in out if line]
            self.assertEqual(rows, [(s, s, 4 if bpp == 4 else 8) for s, bpp in expected], name)


class Cursor(unittest.TestCase):
    def test_hot_spot_is_the_top_of_the_index_finger(self):
        data = committed("link.cur")
        kind, (entry,) = support.directory(data)
        self.assertEqual((kind, entry["width"], entry["height"], entry["colours"]), (2, 32, 32, 16))
        self.assertEqual(support.bitmap_header(data, entry)["bpp"], 4)
        hx, hy = entry["word1"], entry["word2"]
        self.assertEqual((hx, hy), (12, 1))
        image = next(iter(support.decode_frames(data).values()))
        opaque = lambda x, y: image.getpixel((x, y))[3] == 255  # noqa: E731
        self.assertTrue(opaque(hx, hy))
        self.assertFalse(any(opaque(x, y) for y in range(hy) for x in range(32)))
        tip = [x for x in range(32) if opaque(x, hy)]
        self.assertEqual(tip, list(range(tip[0], tip[-1] + 1)))  # one finger, centred on the spot
        self.assertEqual(hx - tip[0], tip[-1] - hx)
        self.assertEqual(image.getpixel((0, 31))[3], 0)


class DonationPicture(unittest.TestCase):
    def test_small_gif89a_with_a_64_colour_table_and_black_letters(self):
        data = committed("donate.gif")
        self.assertEqual(data[:6], b"GIF89a")
        self.assertEqual(data[10] & 0x87, 0x85)  # a global table of 2^(5+1) entries
        self.assertLess(len(data), 2048)
        image = Image.open(io.BytesIO(data))
        self.assertEqual(image.size, (100, 44))
        rgba = image.convert("RGBA")
        self.assertEqual(rgba.getpixel((0, 0))[3], 0)
        letters = [rgba.getpixel((x, y)) for y in range(26, 40) for x in range(10, 90)]
        self.assertGreater(letters.count((0, 0, 0, 255)), 100)


if __name__ == "__main__":
    unittest.main()
