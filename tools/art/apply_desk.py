"""The apply button: the program's desk with a red circular arrow over it."""

import math

import desk
from frames import colour_icon_frames, moved_layers
from raster import Layer, arc, linear_gradient, point_on_circle, polygon, rgb

RED = linear_gradient(18, 1, rgb("FF5A4A"), 30, 16, rgb("C01818"))
RED_LINE = rgb("6A0A0A")


def circular_arrow(cx, cy, r, width, start, end):
    """A ring from `start` to `end` degrees (counter-clockwise) ending in a head
    that points onwards along the ring."""
    a = math.radians(end)
    px, py = point_on_circle(cx, cy, r, end)
    nx, ny = math.cos(a), -math.sin(a)  # outwards
    tx, ty = -math.sin(a), -math.cos(a)  # onwards, counter-clockwise on screen
    half, reach = width * 1.25, width * 1.5
    head = polygon(
        [
            (px + nx * half, py + ny * half),
            (px + tx * reach, py + ty * reach),
            (px - nx * half, py - ny * half),
        ]
    )
    return [arc(cx, cy, r, width, start, end + 2), head]


def layers(style):
    scene = moved_layers(desk.layers(style), 0.78, 0, 7)
    for shape in circular_arrow(23.5, 9, 6, 3.4, 110, 395):
        scene.append(Layer(shape, RED, RED_LINE))
    return scene


def icon_frames():
    return colour_icon_frames(layers(desk.SHADED))
