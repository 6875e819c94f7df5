"""The quit button: an open door and an arrow going in through it."""

from frames import colour_icon_frames
from raster import Layer, circle, linear_gradient, polygon, rect, rgb

LINE = rgb("2A1808")
# Points right, its head inside the doorway.
ARROW = [(1, 14), (10.5, 14), (10.5, 9.5), (18.5, 16.75), (10.5, 24), (10.5, 19.5), (1, 19.5)]


def layers():
    casing = linear_gradient(9, 0, rgb("A86A34"), 29, 0, rgb("7A4A20"))
    room = linear_gradient(0, 3, rgb("1C1C30"), 0, 31, rgb("3C3C5C"))
    leaf = linear_gradient(20, 0, rgb("E0A868"), 27, 0, rgb("B07438"))
    arrow = linear_gradient(0, 10, rgb("6CE07C"), 0, 24, rgb("1E8A30"))
    return [
        Layer(rect(9, 1, 29, 31), casing, LINE),
        Layer(rect(11.5, 3.5, 26.5, 31), room, LINE),
        Layer(polygon([(26.5, 3.5), (20, 7), (20, 28.5), (26.5, 31)]), leaf, LINE),
        Layer(polygon([(25, 7.5), (21.5, 9.5), (21.5, 17), (25, 16.5)]), None, rgb("8A5428")),
        Layer(circle(21.9, 18.5, 0.9), rgb("FFD84A")),
        Layer(polygon(ARROW), arrow, rgb("0A4A14")),
    ]


def icon_frames():
    return colour_icon_frames(layers())
