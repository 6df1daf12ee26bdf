"""Smooth random fields for the parchment: mottling, grain direction, torn edges.

Every field comes from a numpy Generator the caller seeds, so a picture built
from them is the same on every run. Fields are float32 with mean about 0 and
standard deviation about 1, which keeps the amplitudes chosen by the callers
meaningful whatever the cell sizes.
"""

try:
    import numpy as np
    from PIL import Image
except ImportError:
    raise SystemExit("noise_fields: needs numpy and Pillow (Debian packages python3-numpy, python3-pil)")


def _normalised(field):
    field = field - field.mean()
    spread = field.std()
    return (field / spread if spread > 0 else field).astype(np.float32)


def smooth_noise(rng, width, height, cell_x, cell_y=None):
    """Random values on a grid of cell_x x cell_y pixels, bicubically interpolated.

    Unequal cells give streaky noise, which is what rolled paper looks like.
    """
    cell_y = cell_y or cell_x
    columns = int(np.ceil(width / cell_x)) + 4
    rows = int(np.ceil(height / cell_y)) + 4
    grid = rng.standard_normal((rows, columns)).astype(np.float32)
    big = Image.fromarray(grid, "F").resize(
        (int(columns * cell_x), int(rows * cell_y)), Image.BICUBIC)
    # Skip the first two cells: bicubic interpolation is distorted at the border.
    x0, y0 = int(2 * cell_x), int(2 * cell_y)
    return _normalised(np.asarray(big)[y0:y0 + height, x0:x0 + width])


def fractal_noise(rng, width, height, octaves):
    """Sum of smooth_noise layers; octaves is a list of (cell size, weight)."""
    total = np.zeros((height, width), np.float32)
    for cell, weight in octaves:
        total += weight * smooth_noise(rng, width, height, cell)
    return _normalised(total)


def noise_1d(rng, length, cell):
    """A smooth random curve of `length` samples, one value every `cell` samples."""
    return smooth_noise(rng, length, 1, cell, 1)[0]
