import unittest

import support  # noqa: F401
from frames import moved_layers, palette_frame
from raster import Layer, circle, linear_gradient, rect, render, rgb

RED, BLACK, WHITE = rgb("FF0000"), rgb("000000"), rgb("FFFFFF")


def opaque_cells(picture):
    return {(x, y) for y, row in enumerate(picture.rows) for x, p in enumerate(row) if p[3]}


class HardEdges(unittest.TestCase):
    def test_grid_aligned_box_covers_exactly_its_pixels_with_a_one_pixel_outline(self):
        pic = render([Layer(rect(2, 3, 6, 8), RED, BLACK)], 10, design=10)
        self.assertEqual(opaque_cells(pic), {(x, y) for x in range(2, 6) for y in range(3, 8)})
        inside = {(x, y) for x in range(3, 5) for y in range(4, 7)}
        for x, y in opaque_cells(pic):
            self.assertEqual(pic.pixel(x, y), RED if (x, y) in inside else BLACK, (x, y))

    def test_layers_paint_bottom_to_top(self):
        pic = render([Layer(rect(0, 0, 4, 4), RED), Layer(rect(1, 1, 3, 3), WHITE)], 4, design=4)
        self.assertEqual(pic.pixel(0, 0), RED)
        self.assertEqual(pic.pixel(1, 1), WHITE)

    def test_design_scales_to_the_frame_size(self):
        small = render([Layer(rect(8, 8, 24, 24), RED)], 16)
        large = render([Layer(rect(8, 8, 24, 24), RED)], 64)
        self.assertEqual(len(opaque_cells(small)) * 16, len(opaque_cells(large)))


class SmoothEdges(unittest.TestCase):
    def test_half_covered_pixel_is_half_clear(self):
        pic = render([Layer(rect(0, 0, 1.5, 2), RED)], 2, design=2, samples=4)
        self.assertEqual(pic.pixel(0, 0), RED)
        self.assertEqual(pic.pixel(1, 0)[:3], RED[:3])
        self.assertAlmostEqual(pic.pixel(1, 0)[3], 128, delta=1)
        self.assertEqual(pic.pixel(1, 1)[3], pic.pixel(1, 0)[3])

    def test_palette_frame_keeps_one_bit_of_alpha_and_fits_a_palette(self):
        # A rainbow gradient has far more than 255 colours before coarsening.
        def ramp(x, y):
            return (int(x * 8) % 256, int(y * 8) % 256, int((x + y) * 4) % 256, 255)

        pic = palette_frame([Layer(circle(16, 16, 15), ramp, BLACK)], 32)
        self.assertLessEqual(len(pic.colours()), 255)
        self.assertTrue(all(p[3] in (0, 255) for row in pic.rows for p in row))
        self.assertEqual(pic.pixel(0, 0)[3], 0)
        self.assertEqual(pic.pixel(16, 16)[3], 255)


class Moving(unittest.TestCase):
    def test_moved_gradient_paints_the_same_pixels_further_on(self):
        fill = linear_gradient(0, 0, rgb("000000"), 8, 0, rgb("FFFFFF"))
        here = render([Layer(rect(0, 0, 8, 8), fill)], 16, design=16)
        there = render(moved_layers([Layer(rect(0, 0, 8, 8), fill)], 1, 4, 2), 16, design=16)
        for y in range(8):
            for x in range(8):
                self.assertEqual(here.pixel(x, y), there.pixel(x + 4, y + 2), (x, y))

    def test_scaled_layers_double_in_size(self):
        pic = render(moved_layers([Layer(rect(1, 1, 3, 3), RED)], 2), 8, design=8)
        self.assertEqual(opaque_cells(pic), {(x, y) for x in range(2, 6) for y in range(2, 6)})


if __name__ == "__main__":
    unittest.main()
