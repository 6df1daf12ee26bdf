#!/usr/bin/python3
"""Makes assets/backdrop.png, the parchment scroll the announcement is shown on.

    /usr/bin/python3 tools/assets/make_backdrop.py [output.png]

The picture is 520 x 670 RGBA: transparent around the scroll, a one-pixel
anti-aliased rim, fully opaque inside. It carries pHYs (72 dpi), an sRGB
profile (iCCP) and the sRGB chromaticities (cHRM). Change SEED for another
scroll of the same style; the styles themselves live in parchment_surface.py,
roll_shading.py and scroll_outline.py.
"""

import io
import sys
from pathlib import Path

try:
    import numpy as np
    from PIL import Image
except ImportError:
    raise SystemExit("make_backdrop: needs numpy and Pillow (Debian packages python3-numpy, python3-pil)")

from parchment_surface import sheet_colour
from png_chunks import insert_before, srgb_chromaticities
from roll_shading import roll_colour
from scroll_outline import BOTTOM_ROLL, TOP_ROLL, trace_outline
from srgb_profile import srgb_profile_bytes

SEED = 20240601
DEFAULT_OUTPUT = Path(__file__).resolve().parents[2] / "assets" / "backdrop.png"
DOTS_PER_INCH = 72          # written as 2835 pixels per metre
GRAIN = 1.6                 # per-pixel noise, in 8-bit steps: keeps gradients free of bands


def paint(rng):
    outline = trace_outline(rng)
    layers = (
        (sheet_colour(rng, outline), outline.sheet),
        (roll_colour(BOTTOM_ROLL, rng), outline.bottom_roll),
        (roll_colour(TOP_ROLL, rng), outline.top_roll),
    )
    premultiplied = np.zeros(layers[0][0].shape, np.float32)
    covered = np.zeros(outline.union.shape, np.float32)
    for colour, coverage in layers:
        premultiplied = colour * coverage[..., None] + premultiplied * (1.0 - coverage[..., None])
        covered = coverage + covered * (1.0 - coverage)
    colour = premultiplied / np.maximum(covered, 1e-6)[..., None]
    colour += rng.normal(0.0, GRAIN, colour.shape).astype(np.float32)

    alpha = np.rint(outline.union * 255.0)
    rgb = np.where(alpha[..., None] > 0, np.rint(np.clip(colour, 0, 255)), 0)
    pixels = np.dstack([rgb, alpha]).astype(np.uint8)
    return Image.fromarray(pixels, "RGBA")


def encode(picture):
    buffer = io.BytesIO()
    picture.save(buffer, "PNG", dpi=(DOTS_PER_INCH, DOTS_PER_INCH),
                 icc_profile=srgb_profile_bytes(), compress_level=9)
    # Pillow cannot write cHRM; it belongs before the image data.
    return insert_before(buffer.getvalue(), "cHRM", srgb_chromaticities(), before="iCCP")


def main(argv):
    if len(argv) > 2:
        raise SystemExit("usage: make_backdrop.py [output.png]")
    output = Path(argv[1]) if len(argv) == 2 else DEFAULT_OUTPUT
    png = encode(paint(np.random.default_rng(SEED)))
    output.write_bytes(png)
    print(f"make_backdrop: wrote {output} ({len(png)} bytes)")


if __name__ == "__main__":
    main(sys.argv)
