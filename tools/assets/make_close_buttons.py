#!/usr/bin/python3
"""Makes the close button's pictures: assets/close-{normal,hover,pressed}.jpg.

    /usr/bin/python3 tools/assets/make_close_buttons.py [output-directory]

Each is a 43 x 16 baseline JPEG (YCbCr, 4:4:4, 183 dpi, Exif, sRGB profile)
showing a white x with a dark grey outline on a two-tone band with a darker
one-pixel frame. The button sits on the right of the scroll's top roll, so
the normal state is in the roll's browns; hover lights it up in orange and
pressed sinks it into dark brown. The three differ only in STATES.
"""

import io
import sys
from pathlib import Path

try:
    import numpy as np
    from PIL import Image
except ImportError:
    raise SystemExit("make_close_buttons: needs numpy and Pillow (Debian packages python3-numpy, python3-pil)")

from srgb_profile import srgb_profile_bytes

WIDTH, HEIGHT = 43, 16
UPPER_BAND_ROWS = 7                     # rows 0-6 light, 7-15 dark
DOTS_PER_INCH = 183
QUALITY = 95
SUPERSAMPLE = 8
DEFAULT_OUTPUT = Path(__file__).resolve().parents[2] / "assets"

# name: (upper band, lower band), RGB
STATES = {
    "normal": ((200, 153, 109), (122, 76, 43)),
    "hover": ((239, 164, 96), (202, 128, 57)),
    "pressed": ((126, 70, 19), (78, 42, 8)),
}
FRAME_SHADE = 0.62          # the frame is each band's colour darkened by this factor
BAND_GLOSS = 0.05           # each band is this much lighter at its top than at its bottom

CROSS_CENTRE = (21.5, 7.0)  # a little above the middle, so it reads as centred on the raised top
CROSS_REACH = 3.9           # from the centre to the end of each stroke's axis, along x and y
STROKE_WIDTH = 2.2          # white part; with round ends the x is 10 x 10 pixels
OUTLINE_WIDTH = 1.0
CROSS_WHITE = np.array((255, 255, 255), np.float32)
CROSS_OUTLINE = np.array((58, 58, 58), np.float32)


def _distance_to_cross(x, y):
    cx, cy = CROSS_CENTRE
    distances = []
    for direction in ((1.0, 1.0), (1.0, -1.0)):
        dx, dy = np.array(direction) / np.sqrt(2.0)
        along = np.clip((x - cx) * dx + (y - cy) * dy, -CROSS_REACH * np.sqrt(2.0), CROSS_REACH * np.sqrt(2.0))
        distances.append(np.hypot(x - (cx + along * dx), y - (cy + along * dy)))
    return np.minimum(*distances)


def _coverage(inside):
    s = SUPERSAMPLE
    return inside.reshape(HEIGHT, s, WIDTH, s).mean(axis=(1, 3))


def draw(upper, lower):
    s = SUPERSAMPLE
    y, x = np.mgrid[0:HEIGHT * s, 0:WIDTH * s].astype(np.float32)
    x, y = (x + 0.5) / s, (y + 0.5) / s

    row = np.arange(HEIGHT, dtype=np.float32)[:, None]
    in_upper = row < UPPER_BAND_ROWS
    band_top = np.where(in_upper, 0, UPPER_BAND_ROWS)
    band_height = np.where(in_upper, UPPER_BAND_ROWS, HEIGHT - UPPER_BAND_ROWS)
    gloss = 1.0 + BAND_GLOSS * (0.5 - (row - band_top) / (band_height - 1))
    band = np.where(in_upper[..., None], np.float32(upper), np.float32(lower)) * gloss[..., None]
    picture = np.broadcast_to(band, (HEIGHT, WIDTH, 3)).copy()

    frame = np.zeros((HEIGHT, WIDTH), bool)
    frame[[0, -1], :] = True
    frame[:, [0, -1]] = True
    picture[frame] *= FRAME_SHADE

    distance = _distance_to_cross(x, y)
    outline = _coverage(distance <= STROKE_WIDTH / 2 + OUTLINE_WIDTH)[..., None]
    white = _coverage(distance <= STROKE_WIDTH / 2)[..., None]
    picture = picture + (CROSS_OUTLINE - picture) * outline
    picture = picture + (CROSS_WHITE - picture) * white
    return Image.fromarray(np.rint(np.clip(picture, 0, 255)).astype(np.uint8), "RGB")


def exif_block():
    exif = Image.Exif()
    exif[0x011A] = exif[0x011B] = float(DOTS_PER_INCH)   # X/YResolution
    exif[0x0128] = 2                                      # ResolutionUnit: inches
    exif[0x0131] = "notice make_close_buttons.py"         # Software
    exif[0x8769] = {                                      # Exif sub-directory
        0xA001: 1,                                        # ColorSpace: sRGB
        0xA002: WIDTH,                                    # PixelXDimension
        0xA003: HEIGHT,                                   # PixelYDimension
    }
    return exif.tobytes()


def encode(picture):
    buffer = io.BytesIO()
    picture.save(buffer, "JPEG", quality=QUALITY, subsampling=0, progressive=False,
                 optimize=False, dpi=(DOTS_PER_INCH, DOTS_PER_INCH),
                 exif=exif_block(), icc_profile=srgb_profile_bytes())
    return buffer.getvalue()


def main(argv):
    if len(argv) > 2:
        raise SystemExit("usage: make_close_buttons.py [output-directory]")
    directory = Path(argv[1]) if len(argv) == 2 else DEFAULT_OUTPUT
    if not directory.is_dir():
        raise SystemExit(f"make_close_buttons: no such directory: {directory}")
    for name, (upper, lower) in STATES.items():
        jpeg = encode(draw(upper, lower))
        path = directory / f"close-{name}.jpg"
        path.write_bytes(jpeg)
        print(f"make_close_buttons: wrote {path} ({len(jpeg)} bytes)")


if __name__ == "__main__":
    main(sys.argv)
