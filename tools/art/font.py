"""A tiny capital-letter bitmap font, so no picture depends on installed fonts."""

GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
}
SPACE = 4
GAP = 1


def text_pixels(text, bold=True):
    """The (x, y) pixels of `text` set from (0, 0), and its width. Bold doubles
    every stroke sideways."""
    pixels, x = [], 0
    for ch in text:
        if ch == " ":
            x += SPACE
            continue
        glyph = GLYPHS[ch]
        for y, row in enumerate(glyph):
            for dx, bit in enumerate(row):
                if bit == "#":
                    pixels.append((x + dx, y))
                    if bold:
                        pixels.append((x + dx + 1, y))
        x += len(glyph[0]) + (1 if bold else 0) + GAP
    return sorted(set(pixels)), x - GAP
