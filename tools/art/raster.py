"""Shapes as signed distance functions, and the renderer that turns them into pixels.

A design is drawn on a square grid of `design` units (32 for most of our
pictures). Rendering at another size only changes where the samples fall, so
one drawing serves the 32x32 palette frame (one sample per pixel, hard edges)
and the larger true-colour frames (several samples per pixel, smooth edges).
Distances are negative inside a shape.
"""

import math


class Shape:
    """A signed distance function with a bounding box (x0, y0, x1, y1)."""

    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box

    def __or__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _box_union(self.box, other.box))

    def __and__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _box_meet(self.box, other.box))

    def __sub__(self, other):
        a, b = self.sdf, other.sdf
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def moved(self, dx, dy):
        f = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: f(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def scaled(self, k, ox=0.0, oy=0.0):
        """The shape grown by k around (ox, oy); distances scale with it."""
        f = self.sdf
        x0, y0, x1, y1 = self.box
        return Shape(
            lambda x, y: f(ox + (x - ox) / k, oy + (y - oy) / k) * k,
            (ox + (x0 - ox) * k, oy + (y0 - oy) * k, ox + (x1 - ox) * k, oy + (y1 - oy) * k),
        )


def _box_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _box_meet(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def rect(x0, y0, x1, y1, radius=0.0):
    """An axis-aligned box, corners rounded by `radius`."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return Shape(sdf, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    """Close enough to a true distance for the small eccentricities we draw."""
    k = min(rx, ry)

    def sdf(x, y):
        return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * k

    return Shape(sdf, (cx - rx, cy - ry, cx + rx, cy + ry))


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def polygon(points):
    """A closed polygon; inside by the even-odd rule."""
    pts = list(points)
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def sdf(x, y):
        inside = False
        nearest = math.inf
        for (ax, ay), (bx, by) in edges:
            nearest = min(nearest, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -nearest if inside else nearest

    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def stroke(ax, ay, bx, by, width):
    """A straight bar with round ends."""
    h = width / 2

    def sdf(x, y):
        return _segment_distance(x, y, ax, ay, bx, by) - h

    return Shape(sdf, (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def arc(cx, cy, r, width, start, end):
    """A ring of mean radius r between two angles in degrees (0 = east,
    counter-clockwise as seen on screen), with square ends."""
    ring = Shape(
        lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2,
        (cx - r - width, cy - r - width, cx + r + width, cy + r + width),
    )
    return ring & wedge(cx, cy, r + width, start, end)


def wedge(cx, cy, radius, start, end):
    """The pie slice between two angles, built as a fan so no angle is ever
    computed from the sample point."""
    reach = radius * 2.0
    steps = max(2, int(math.ceil((end - start) / 30.0)))
    points = [(cx, cy)]
    for k in range(steps + 1):
        a = math.radians(start + (end - start) * k / steps)
        points.append((cx + reach * math.cos(a), cy - reach * math.sin(a)))
    return polygon(points)


def point_on_circle(cx, cy, r, degrees):
    a = math.radians(degrees)
    return (cx + r * math.cos(a), cy - r * math.sin(a))


class Layer:
    """A shape painted with a fill (a colour, a function of x, y, or None for
    an outline alone) and an optional outline drawn just inside its edge."""

    def __init__(self, shape, fill, outline=None):
        self.shape = shape
        self.fill = fill
        self.outline = outline

    def colour_at(self, x, y, line):
        d = self.shape.sdf(x, y)
        if d >= 0:
            return None
        if self.outline is not None and d > -line:
            return self.outline
        return self.fill(x, y) if callable(self.fill) else self.fill


def linear_gradient(x0, y0, c0, x1, y1, c1, steps=0):
    """A colour ramp from (x0, y0) to (x1, y1); `steps` > 0 bands it, which keeps
    palette pictures to a few colours."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def fill(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        if steps:
            t = min(steps - 1, int(t * steps)) / (steps - 1)
        return mix(c0, c1, t)

    return fill


def mix(c0, c1, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


def rgb(text, alpha=255):
    value = int(text.lstrip("#"), 16)
    return (value >> 16 & 255, value >> 8 & 255, value & 255, alpha)


TRANSPARENT = (0, 0, 0, 0)


class Picture:
    """Straight-alpha RGBA pixels, rows top to bottom."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows

    def pixel(self, x, y):
        return self.rows[y][x]

    def colours(self):
        """The distinct opaque colours, in the order they first appear."""
        seen = {}
        for row in self.rows:
            for p in row:
                if p[3] and p not in seen:
                    seen[p] = None
        return list(seen)


def _over(top, under):
    ta = top[3] / 255.0
    if ta >= 1.0:
        return top
    ua = under[3] / 255.0
    a = ta + ua * (1 - ta)
    if a <= 0:
        return TRANSPARENT
    blend = [(top[i] * ta + under[i] * ua * (1 - ta)) / a for i in range(3)]
    return (int(round(blend[0])), int(round(blend[1])), int(round(blend[2])), int(round(a * 255)))


def render(layers, size, design=32, samples=1, line=None, height=None):
    """Paint the layers bottom to top at `size` pixels wide (and `height` high,
    square by default). One sample per pixel gives hard edges and only the
    colours of the drawing; more samples average into smooth edges."""
    height = size if height is None else height
    scale = design / size
    if line is None:
        line = scale if samples == 1 else max(scale, 0.75)
    offsets = [(k + 0.5) / samples for k in range(samples)]
    count = samples * samples
    rows = []
    for py in range(height):
        top, bottom = py * scale - line, (py + 1) * scale + line
        row_layers = [a for a in layers if a.shape.box[1] <= bottom and a.shape.box[3] >= top]
        row = []
        for px in range(size):
            left, right = px * scale - line, (px + 1) * scale + line
            active = [a for a in row_layers if a.shape.box[0] <= right and a.shape.box[2] >= left]
            acc = [0.0, 0.0, 0.0, 0.0]
            for oy in offsets:
                y = (py + oy) * scale
                for ox in offsets:
                    x = (px + ox) * scale
                    c = TRANSPARENT
                    for lay in active:
                        top_colour = lay.colour_at(x, y, line)
                        if top_colour is not None:
                            c = _over(top_colour, c)
                    a = c[3] / 255.0
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            row.append(_resolve(acc, count))
        rows.append(row)
    return Picture(size, height, rows)


def _resolve(acc, count):
    a = acc[3]
    if a <= 0:
        return TRANSPARENT
    colour = tuple(int(round(acc[i] / a)) for i in range(3))
    return colour + (int(round(a * 255 / count)),)


def from_map(rows, legend):
    """A picture typed in as text, one character a pixel; `legend` maps each
    character to a colour ('.' is transparent unless the legend says otherwise)."""
    legend = dict({".": TRANSPARENT}, **legend)
    width = len(rows[0])
    for r in rows:
        if len(r) != width:
            raise ValueError("ragged pixel map row: %r" % r)
    return Picture(width, len(rows), [[legend[ch] for ch in r] for r in rows])
