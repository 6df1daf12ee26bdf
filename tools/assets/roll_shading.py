"""The colour of a paper roll: a shaded cylinder of aged parchment with spiral ends.

Light comes from the upper left and a little in front, the usual convention
for desktop artwork, so each roll has a soft highlight above its middle, a dark
underside, a lit left end and a shaded right end.
"""

import numpy as np

from noise_fields import fractal_noise, noise_1d, smooth_noise
from paper_fibres import fibre_layer
from scroll_outline import HEIGHT, WIDTH

ROLL_ALBEDO = np.array((188, 142, 96), np.float32)     # the rolled outside, browned by handling
END_PAPER = np.array((222, 188, 140), np.float32)        # cut edges of the rolled layers
SPIRAL_GAP = np.array((96, 64, 36), np.float32)
HIGHLIGHT = np.array((255, 242, 218), np.float32)

LIGHT = np.array((-0.35, -0.6, 0.72), np.float32)
LIGHT /= np.linalg.norm(LIGHT)
HALFWAY = LIGHT + np.array((0, 0, 1), np.float32)
HALFWAY /= np.linalg.norm(HALFWAY)

SPIRAL_TURNS = 3.4
ROLL_FIBRES = 1200
END_BRIGHTNESS = {"left": 1.0, "right": 0.72}


def _smoothstep(edge0, edge1, value):
    t = np.clip((value - edge0) / (edge1 - edge0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def _cylinder(roll, rng, x, y):
    across = np.clip((y - roll.centre_y) / roll.radius, -1.0, 1.0)
    facing = np.sqrt(1.0 - across * across)
    diffuse = np.clip(across * LIGHT[1] + facing * LIGHT[2], 0.0, None)
    sheen = np.clip(across * HALFWAY[1] + facing * HALFWAY[2], 0.0, None) ** 16
    # Layers of rolled paper show as faint streaks along the roll.
    streaks = smooth_noise(rng, WIDTH, HEIGHT, 240, 2.5)
    mottle = fractal_noise(rng, WIDTH, HEIGHT, [(70, 1.0), (24, 0.6), (6, 0.35), (2, 0.3)])
    fibres = fibre_layer(rng, ROLL_FIBRES)
    albedo = ROLL_ALBEDO * (1.0 + 0.018 * streaks + 0.04 * mottle + 0.2 * fibres)[..., None]
    # Grime gathers toward the ends, where hands hold the roll.
    from_end = np.minimum(x - roll.left_end_x, roll.right_end_x - x)
    albedo *= (1.0 - 0.16 * np.exp(-np.clip(from_end, 0, None) / 30.0))[..., None]
    # Light thrown back by the sheet keeps the underside from going black.
    bounce = 0.12 * _smoothstep(0.55, 1.0, across)
    shade = 0.4 + 0.8 * diffuse + bounce
    # The silhouette darkens where the surface turns away from the viewer.
    shade *= 0.72 + 0.28 * np.sqrt(facing)
    colour = albedo * shade[..., None] + HIGHLIGHT * (0.14 * sheen)[..., None]
    # Where the outermost turn of the sheet ends: a thin shadow under its cut edge.
    lap_at = roll.lap_across + 0.025 * noise_1d(rng, WIDTH, 60)[None, :]
    below_lap = (across - lap_at) * roll.radius          # pixels below the edge
    lap_shadow = 0.32 * np.exp(-np.clip(below_lap, 0, None) / 1.6) * _smoothstep(-1.0, 0.0, below_lap)
    lap_light = 0.12 * np.exp(-((below_lap + 1.2) / 0.8) ** 2)
    lap_span = _smoothstep(roll.left_end_x, roll.left_end_x + 4, x) * _smoothstep(roll.right_end_x, roll.right_end_x - 4, x)
    return colour * (1.0 - lap_span * lap_shadow + lap_span * lap_light)[..., None]


def _end_face(roll, rng, x, y, centre_x, side):
    """Colour and coverage of one spiral end face (coverage anti-aliased by distance)."""
    u = (x - centre_x) / roll.end_half_width
    v = (y - roll.centre_y) / roll.radius
    reach = np.sqrt(u * u + v * v) + 1e-6
    slope = np.sqrt((u / roll.end_half_width) ** 2 + (v / roll.radius) ** 2) / reach + 1e-6
    inside_px = (1.0 - reach) / slope            # pixels from the face's rim, inward
    coverage = np.clip(inside_px + 0.5, 0.0, 1.0)

    turn = np.arctan2(v, u if side == "left" else -u) / (2 * np.pi)
    wobble = 0.04 * smooth_noise(rng, WIDTH, HEIGHT, 5)
    phase = reach * SPIRAL_TURNS + turn + wobble
    offset = phase - np.floor(phase)          # 0 at a gap between layers, rising outward
    gap = np.exp(-(np.minimum(offset, 1.0 - offset) / 0.07) ** 2)
    # Each layer is shadowed by the one wound over it and lit along its cut edge.
    layer_light = 0.74 + 0.26 * _smoothstep(0.0, 0.6, offset) + 0.1 * np.exp(-((offset - 0.14) / 0.06) ** 2)
    depth = 1.0 - 0.4 * (1.0 - reach) ** 2              # deeper layers get less light
    colour = END_PAPER * (END_BRIGHTNESS[side] * depth * layer_light)[..., None]
    colour = colour + (SPIRAL_GAP - colour) * (0.7 * gap)[..., None]
    hollow = _smoothstep(0.16, 0.08, reach)
    colour = colour + (SPIRAL_GAP * 0.7 - colour) * hollow[..., None]
    # The outermost layer wraps the face in a dark lip.
    lip = _smoothstep(2.2, 0.6, inside_px)
    colour = colour + (SPIRAL_GAP * 0.85 - colour) * (0.85 * lip)[..., None]
    return colour, coverage


def roll_colour(roll, rng):
    """RGB floats (0..255) for the whole picture area, meaningful where the roll is."""
    y, x = np.mgrid[0:HEIGHT, 0:WIDTH].astype(np.float32) + 0.5
    colour = _cylinder(roll, rng, x, y)
    for centre_x, side in ((roll.left_end_x, "left"), (roll.right_end_x, "right")):
        face, coverage = _end_face(roll, rng, x, y, centre_x, side)
        colour = colour + (face - colour) * coverage[..., None]
    return colour
