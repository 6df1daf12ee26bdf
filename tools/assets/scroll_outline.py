"""Where the scroll is: the two rolls and the torn sheet hanging between them.

Shapes are tested on a grid SUPERSAMPLE times finer than the picture and
averaged down, so the outline gets a one-pixel anti-aliased rim while every
pixel wholly inside stays fully opaque (the content window's texts and close
button rely on that).
"""

from dataclasses import dataclass

import numpy as np

from noise_fields import noise_1d

WIDTH, HEIGHT = 520, 670
SUPERSAMPLE = 4


@dataclass(frozen=True)
class Roll:
    """A horizontal paper roll seen from the front, its end faces drawn as ellipses."""
    centre_y: float
    radius: float
    left: float          # outermost x of the left end face
    right: float         # outermost x of the right end face
    end_half_width: float
    lap_across: float    # where the outermost turn ends, -1 (top) to 1 (bottom)

    @property
    def left_end_x(self):
        return self.left + self.end_half_width

    @property
    def right_end_x(self):
        return self.right - self.end_half_width

    def contains(self, x, y):
        across = (y - self.centre_y) / self.radius
        inside_height = np.abs(across) <= 1.0
        body = (x >= self.left_end_x) & (x <= self.right_end_x)
        reach = self.end_half_width * np.sqrt(np.clip(1.0 - across * across, 0.0, 1.0))
        ends = (np.abs(x - self.left_end_x) <= reach) | (np.abs(x - self.right_end_x) <= reach)
        return inside_height & (body | ends)


# The close button sits on the right part of the top roll (x 438-481, y 54-70)
# and the link on the bottom roll (x 52-272, y 616-636).
TOP_ROLL = Roll(centre_y=45.0, radius=41.0, left=4.0, right=516.0, end_half_width=14.0, lap_across=0.42)
BOTTOM_ROLL = Roll(centre_y=628.5, radius=38.0, left=2.0, right=518.0, end_half_width=14.0, lap_across=-0.55)

# The sheet runs from under one roll to under the other.
SHEET_TOP, SHEET_BOTTOM = 60.0, 610.0
SHEET_LEFT, SHEET_RIGHT = 14.0, 508.0   # widest reach of the torn edges


@dataclass(frozen=True)
class TearStyle:
    wander: float = 3.5       # slow drift of the edge, pixels
    ripple: float = 2.3       # medium irregularity
    jitter: float = 1.1       # fibre-scale roughness
    base_inset: float = 8.5   # average distance in from the widest reach
    notches: int = 6          # deeper tears along each side
    notch_depth: tuple = (5.0, 11.0)
    notch_half_height: tuple = (5.0, 12.0)


def torn_inset(rng, rows, style=TearStyle()):
    """How far the torn edge lies inside its widest reach, for each of `rows` fine rows."""
    s = SUPERSAMPLE
    inset = (style.base_inset
             + style.wander * noise_1d(rng, rows, 90 * s)
             + style.ripple * noise_1d(rng, rows, 14 * s)
             + style.jitter * noise_1d(rng, rows, 2.5 * s))
    y = np.arange(rows, dtype=np.float32)
    for _ in range(style.notches):
        centre = rng.uniform(0, rows)
        half_height = rng.uniform(*style.notch_half_height)
        # Deeper than wide would be a slit thinner than a pixel: a translucent scratch, not a tear.
        depth = min(rng.uniform(*style.notch_depth), 1.5 * half_height)
        half = half_height * s
        # A tear is a sharp V, slightly skewed so it does not look stamped.
        skew = rng.uniform(0.6, 1.6)
        distance = np.where(y < centre, (centre - y) / half, (y - centre) / (half * skew))
        inset += depth * np.clip(1.0 - distance, 0.0, None) ** 1.6
    return np.clip(inset, 0.0, None)


@dataclass
class Outline:
    """Coverage of each part per picture pixel (0..1) and the sheet's torn edges."""
    sheet: np.ndarray
    top_roll: np.ndarray
    bottom_roll: np.ndarray
    union: np.ndarray
    sheet_left_x: np.ndarray    # torn edge positions at each pixel row's centre
    sheet_right_x: np.ndarray


def _average_down(fine):
    s = SUPERSAMPLE
    return fine.reshape(HEIGHT, s, WIDTH, s).mean(axis=(1, 3), dtype=np.float32)


def trace_outline(rng):
    s = SUPERSAMPLE
    fine_y = (np.arange(HEIGHT * s, dtype=np.float32) + 0.5) / s
    fine_x = (np.arange(WIDTH * s, dtype=np.float32) + 0.5) / s
    left_x = SHEET_LEFT + torn_inset(rng, HEIGHT * s)
    right_x = SHEET_RIGHT - torn_inset(rng, HEIGHT * s)

    y, x = fine_y[:, None], fine_x[None, :]
    sheet = ((y >= SHEET_TOP) & (y <= SHEET_BOTTOM)
             & (x >= left_x[:, None]) & (x <= right_x[:, None]))
    top = TOP_ROLL.contains(x, y)
    bottom = BOTTOM_ROLL.contains(x, y)
    union = sheet | top | bottom
    centre_rows = np.arange(HEIGHT) * s + s // 2
    return Outline(
        sheet=_average_down(sheet), top_roll=_average_down(top),
        bottom_roll=_average_down(bottom), union=_average_down(union),
        sheet_left_x=left_x[centre_rows], sheet_right_x=right_x[centre_rows])
