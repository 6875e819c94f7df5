import io
import random
import unittest

import support  # noqa: F401
from giffile import gif_file
from PIL import Image


def decode(data):
    image = Image.open(io.BytesIO(data))
    image.load()
    return image


class Compression(unittest.TestCase):
    def test_round_trips_through_every_code_width_and_table_reset(self):
        rnd = random.Random(7)
        cases = [
            (1, 1, 4, 4),  # a lone pixel
            (7, 3, 2, 2),  # the smallest table
            (100, 44, 64, 3),  # long runs: wide codes early
            (100, 44, 64, 64),
            (300, 200, 256, 256),  # noise: the table fills and restarts many times
        ]
        for width, height, entries, used in cases:
            indices = [rnd.randrange(used) for _ in range(width * height)]
            table = [(i, 255 - i, i // 2) for i in range(entries)]
            image = decode(gif_file(width, height, table, indices))
            self.assertEqual(image.size, (width, height))
            self.assertEqual(list(image.getdata()), indices, (width, height, entries))

    def test_every_length_near_the_width_changes(self):
        # Runs that grow the code table through 2^n entries one pixel at a time.
        table = [(i * 4, 0, 0) for i in range(64)]
        for n in range(1, 400, 7):
            indices = [(k * k + k // 3) % 64 for k in range(n)]
            self.assertEqual(list(decode(gif_file(n, 1, table, indices)).getdata()), indices, n)


class Container(unittest.TestCase):
    def test_header_table_and_transparency(self):
        table = [(10, 20, 30)] + [(0, 0, 0)] * 63
        data = gif_file(4, 2, table, [0, 1, 2, 3] * 2, transparent=0)
        self.assertEqual(data[:6], b"GIF89a")
        self.assertEqual(data[10] & 7, 5)  # 2^(5+1) = 64 entries
        self.assertEqual(data[13:16], bytes((10, 20, 30)))
        self.assertEqual(data[-1:], b"\x3B")
        image = decode(data)
        self.assertEqual(image.info.get("transparency"), 0)

    def test_refuses_tables_and_pixels_that_do_not_fit(self):
        with self.assertRaises(ValueError):
            gif_file(1, 1, [(0, 0, 0)] * 63, [0])
        with self.assertRaises(ValueError):
            gif_file(2, 1, [(0, 0, 0)] * 4, [0, 4])
        with self.assertRaises(ValueError):
            gif_file(2, 2, [(0, 0, 0)] * 4, [0, 1, 2])


if __name__ == "__main__":
    unittest.main()
