"""The load button: an open yellow folder with a sheet of paper inside."""

from frames import colour_icon_frames
from raster import Layer, linear_gradient, polygon, rect, rgb

LINE = rgb("6E4A00")


def layers():
    back = linear_gradient(0, 6, rgb("F0C040"), 0, 27, rgb("C08010"))
    front = linear_gradient(4, 13, rgb("FFF0A0"), 10, 28, rgb("F0B828"))
    return [
        Layer(polygon([(2, 5), (10, 5), (12.5, 8), (27, 8), (27, 27.5), (2, 27.5)]), back, LINE),
        Layer(polygon([(7, 4.5), (22, 2.5), (24, 19), (8.5, 21)]), rgb("FFFFFF"), rgb("7A8090")),
        Layer(polygon([(10, 8), (19.5, 6.8), (19.7, 7.8), (10.2, 9)]), rgb("9AA8C8")),
        Layer(polygon([(10.4, 11), (20, 9.8), (20.2, 10.8), (10.6, 12)]), rgb("9AA8C8")),
        Layer(polygon([(8, 13), (31, 13), (26.5, 28), (2, 28)]), front, LINE),
        Layer(rect(9.5, 14.2, 29, 15), rgb("FFFAD8")),
    ]


def icon_frames():
    return colour_icon_frames(layers())
