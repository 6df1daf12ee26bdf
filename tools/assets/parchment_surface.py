"""The colour of the hanging sheet: parchment with fibres, stains and aged edges.

Everything the content window writes on (the title and the body text) stands
on this sheet in black, so the texture under those areas is kept gentle: the
stains and specks there are scaled down by `quiet_weight`.
"""

from dataclasses import dataclass

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from noise_fields import fractal_noise, smooth_noise
from paper_fibres import fibre_layer
from scroll_outline import HEIGHT, WIDTH, BOTTOM_ROLL, TOP_ROLL

PARCHMENT_LIGHT = np.array((239, 214, 178), np.float32)
PARCHMENT_DARK = np.array((214, 180, 137), np.float32)
# How much each channel darkens as parchment browns with age: blue goes first.
BROWNING = np.array((0.55, 0.78, 1.08), np.float32)

# Where the texts go (left, top, width, height), with room around them.
TEXT_AREAS = ((108, 91, 304, 56), (52, 184, 416, 406))
TEXT_MARGIN = 14


@dataclass(frozen=True)
class Stain:
    x: float
    y: float
    radius: float
    strength: float   # darkening in the middle of the stain
    ring: float       # extra darkening of its dried rim (tide line)


STAINS = (
    Stain(46, 132, 44, 0.05, 0.07),
    Stain(488, 262, 30, 0.04, 0.06),
    Stain(470, 505, 52, 0.035, 0.05),
    Stain(72, 548, 58, 0.045, 0.06),
    Stain(262, 420, 74, 0.018, 0.022),
    Stain(170, 300, 26, 0.02, 0.025),
)
FOXING_SPOTS = 70
FIBRES = 2600


def quiet_weight():
    """1 on open parchment, falling to about 0.35 under the texts."""
    mask = Image.new("L", (WIDTH, HEIGHT), 0)
    draw = ImageDraw.Draw(mask)
    for left, top, width, height in TEXT_AREAS:
        draw.rectangle((left - TEXT_MARGIN, top - TEXT_MARGIN,
                        left + width + TEXT_MARGIN, top + height + TEXT_MARGIN), fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(12))
    return 1.0 - 0.65 * np.asarray(mask, np.float32) / 255.0


def _base_colour(rng):
    mottle = fractal_noise(rng, WIDTH, HEIGHT,
                           [(230, 1.0), (120, 0.75), (60, 0.5), (28, 0.32), (13, 0.18)])
    mix = 0.5 + 0.5 * np.tanh(0.7 * mottle)
    colour = PARCHMENT_DARK + (PARCHMENT_LIGHT - PARCHMENT_DARK) * mix[..., None]
    # Long faint waves across the sheet from the years it spent rolled up.
    waves = smooth_noise(rng, WIDTH, HEIGHT, 320, 16)
    grain = fractal_noise(rng, WIDTH, HEIGHT, [(4, 1.0), (2, 0.6)])
    return colour * (1.0 + 0.008 * waves + 0.012 * grain)[..., None]


def _stain_darkening(rng, quiet):
    y, x = np.mgrid[0:HEIGHT, 0:WIDTH].astype(np.float32)
    darkening = np.zeros((HEIGHT, WIDTH), np.float32)
    for stain in STAINS:
        wobble = smooth_noise(rng, WIDTH, HEIGHT, max(6.0, stain.radius / 3))
        reach = np.hypot(x - stain.x, y - stain.y) / stain.radius + 0.16 * wobble
        body = np.clip((1.0 - reach) / 0.35, 0.0, 1.0)
        rim = np.exp(-((reach - 1.0) / 0.06) ** 2)
        darkening += stain.strength * body + stain.ring * rim
    for _ in range(FOXING_SPOTS):
        cx, cy = rng.uniform(0, WIDTH), rng.uniform(0, HEIGHT)
        radius = rng.uniform(0.7, 2.6)
        darkening += rng.uniform(0.03, 0.09) * np.exp(-((x - cx) ** 2 + (y - cy) ** 2) / (2 * radius ** 2))
    return darkening * quiet


def _edge_ageing(rng, outline):
    """Browning that creeps in from the torn edges, strongest right at the tear."""
    x = np.arange(WIDTH, dtype=np.float32)[None, :] + 0.5
    inward = np.minimum(x - outline.sheet_left_x[:, None], outline.sheet_right_x[:, None] - x)
    inward = np.clip(inward, 0.0, None)
    blotchy = 1.0 + 0.55 * fractal_noise(rng, WIDTH, HEIGHT, [(40, 1.0), (12, 0.5)])
    return (0.26 * np.exp(-inward / 5.0) + 0.11 * np.exp(-inward / 26.0)) * np.clip(blotchy, 0.2, None)


def _roll_shadows():
    """The top roll shades the sheet just below it; the sheet darkens where it enters the bottom roll."""
    y = np.arange(HEIGHT, dtype=np.float32)[:, None] + 0.5
    below_top = y - (TOP_ROLL.centre_y + TOP_ROLL.radius)
    above_bottom = (BOTTOM_ROLL.centre_y - BOTTOM_ROLL.radius) - y
    shadow = np.where(below_top > 0, 0.2 * np.exp(-below_top / 3.2) + 0.035 * np.exp(-below_top / 12.0), 0.0)
    shadow += np.where(above_bottom > 0, 0.12 * np.exp(-above_bottom / 2.5), 0.0)
    return np.broadcast_to(shadow, (HEIGHT, WIDTH))


def sheet_colour(rng, outline):
    """RGB floats (0..255) for the whole picture area, meaningful where the sheet is."""
    quiet = quiet_weight()
    colour = _base_colour(rng)
    colour *= (1.0 + 0.24 * fibre_layer(rng, FIBRES) * (0.55 + 0.45 * quiet))[..., None]
    ageing = _stain_darkening(rng, quiet) + _edge_ageing(rng, outline)
    colour *= np.clip(1.0 - ageing[..., None] * BROWNING, 0.0, 1.0)
    colour *= (1.0 - _roll_shadows())[..., None]
    return colour
