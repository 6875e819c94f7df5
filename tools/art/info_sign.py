"""The About button: a blue letter i on a round information sign."""

from frames import colour_icon_frames
from raster import Layer, circle, linear_gradient, polygon, rgb

BLUE = linear_gradient(12, 6, rgb("3C7CF0"), 20, 26, rgb("0C3AA8"))
BLUE_LINE = rgb("082868")


def layers():
    disc = linear_gradient(6, 4, rgb("FFFFFF"), 26, 28, rgb("B8D0F4"))
    letter = polygon(
        [
            (11.5, 12.5), (18.5, 12.5), (18.5, 22.5), (20.5, 22.5), (20.5, 25.5),
            (11.5, 25.5), (11.5, 22.5), (13.5, 22.5), (13.5, 15.5), (11.5, 15.5),
        ]
    )  # fmt: skip
    return [
        Layer(circle(16, 16, 15), disc, BLUE_LINE),
        Layer(circle(16, 8, 2.7), BLUE, BLUE_LINE),
        Layer(letter, BLUE, BLUE_LINE),
    ]


def icon_frames():
    return colour_icon_frames(layers())
