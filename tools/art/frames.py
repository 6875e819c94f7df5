"""Turning one drawing into the frames of an icon file."""

from raster import Layer, Picture, render

# Sizes of the true-colour frames that serve high DPI screens (150 % and 200 %).
LARGE_SIZES = (48, 64)


def moved_layers(layers, k, dx=0.0, dy=0.0):
    """The layers grown by k around the origin, then shifted; fills follow."""
    out = []
    for lay in layers:
        shape = lay.shape.scaled(k).moved(dx, dy)
        fill = lay.fill
        if callable(fill):
            fill = (lambda f: lambda x, y: f((x - dx) / k, (y - dy) / k))(fill)
        out.append(Layer(shape, fill, lay.outline))
    return out


def hard_frame(layers, size):
    """One sample per pixel: only the drawing's own colours, for 16-colour frames."""
    return render(layers, size, samples=1)


def smooth_frame(layers, size):
    return render(layers, size, samples=4)


def palette_frame(layers, size, limit=255):
    """A smooth rendering brought down to a palette frame: edge pixels become
    opaque or clear (the mask has one bit), and colours are coarsened until at
    most `limit` remain (one palette entry is kept for black)."""
    picture = smooth_frame(layers, size)
    rows = [[p[:3] + (255,) if p[3] >= 128 else (0, 0, 0, 0) for p in row] for row in picture.rows]
    step = 1
    while True:
        coarse = [[_coarsen(p, step) for p in row] for row in rows]
        result = Picture(size, size, coarse)
        if len(result.colours()) <= limit:
            return result
        step *= 2


def _coarsen(p, step):
    if step == 1 or p[3] == 0:
        return p
    return tuple(min(255, (c // step) * step + step // 2) for c in p[:3]) + (255,)


def large_frames(layers):
    return [(smooth_frame(layers, s), 32) for s in LARGE_SIZES]


def system_colour_icon_frames(flat, small, shaded):
    """32x32 drawn in the 16 system colours and a 16x16 typed in pixel by pixel
    (a drawing that small needs simplified shapes), then the true-colour ones."""
    return [(hard_frame(flat, 32), 4), (small, 4)] + large_frames(shaded)


def colour_icon_frames(layers):
    """A 256-colour 32x32 frame, then the larger true-colour ones."""
    return [(palette_frame(layers, 32), 8)] + large_frames(layers)
