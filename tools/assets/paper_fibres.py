"""Short curling fibres, the texture that makes a flat colour read as paper."""

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from scroll_outline import HEIGHT, WIDTH


def fibre_layer(rng, count):
    """A field about -0.2..0.2: positive for fibres lighter than the paper, negative for darker, 0 between."""
    scale = 2   # drawn at twice the size and averaged down, so fibres are finer than a pixel
    canvas = Image.new("L", (WIDTH * scale, HEIGHT * scale), 128)
    draw = ImageDraw.Draw(canvas)
    for _ in range(count):
        x, y = rng.uniform(0, WIDTH * scale), rng.uniform(0, HEIGHT * scale)
        angle = rng.uniform(0, np.pi)
        steps = int(rng.integers(3, 9))
        step = rng.uniform(2.0, 5.0) * scale
        points = [(x, y)]
        for _ in range(steps):
            angle += rng.normal(0, 0.35)
            x, y = x + step * np.cos(angle), y + step * np.sin(angle)
            points.append((x, y))
        shade = int(128 + (rng.uniform(25, 60) if rng.random() < 0.6 else -rng.uniform(20, 45)))
        draw.line(points, fill=shade, width=1)
    small = canvas.resize((WIDTH, HEIGHT), Image.BOX).filter(ImageFilter.GaussianBlur(0.45))
    return (np.asarray(small, np.float32) - 128.0) / 128.0
