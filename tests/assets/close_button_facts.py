"""What the close button's three JPEGs must be: baseline YCbCr pictures libjpeg
decodes at 43 x 16, with the same white x on each state's two-tone band."""

import io
import struct

from PIL import Image, ImageStat

WIDTH, HEIGHT = 43, 16
DOTS_PER_INCH = 183

# (file, upper band RGB, lower band RGB)
STATES = (
    ("close-normal.jpg", (200, 153, 109), (122, 76, 43)),
    ("close-hover.jpg", (239, 164, 96), (202, 128, 57)),
    ("close-pressed.jpg", (126, 70, 19), (78, 42, 8)),
)
BAND_TOLERANCE = 16
# Band samples away from the 1-pixel frame and from the x in the middle (columns 15-28).
UPPER_SAMPLES = ((2, 1, 11, 5), (31, 1, 10, 5))      # left, top, width, height
LOWER_SAMPLES = ((2, 9, 11, 5), (31, 9, 10, 5))
WHITE = 200             # every channel at least this bright counts as the x's white
CROSS_CENTRE = (21.5, 7.0)
CROSS_CENTRE_SLACK = 1.5
CROSS_SIZE = (7, 13)    # width and height of its white part, inclusive bounds

_START_OF_FRAME = {0xC0 + n for n in range(16)} - {0xC4, 0xC8, 0xCC}
_STANDALONE = {0x01} | set(range(0xD0, 0xD8))


def _segments(jpeg):
    """(marker, payload) up to the start of scan; raises ValueError on a damaged file."""
    if jpeg[:2] != b"\xff\xd8":
        raise ValueError("not a JPEG file (no SOI marker)")
    segments, at = [], 2
    while True:
        if at + 4 > len(jpeg) or jpeg[at] != 0xFF:
            raise ValueError(f"no marker at byte {at} before the image data")
        marker = jpeg[at + 1]
        if marker in _STANDALONE:
            at += 2
            continue
        length, = struct.unpack(">H", jpeg[at + 2:at + 4])
        segments.append((marker, jpeg[at + 4:at + 2 + length]))
        if marker == 0xDA:
            return segments
        at += 2 + length


def _structure_failures(segments):
    frames = [(m, p) for m, p in segments if m in _START_OF_FRAME]
    if len(frames) != 1:
        yield f"has {len(frames)} start-of-frame markers, expected one SOF0"
        return
    marker, frame = frames[0]
    if marker != 0xC0:
        yield f"frame is SOF{marker - 0xC0}, expected SOF0 (baseline, not progressive)"
    precision, height, width, components = struct.unpack(">BHHB", frame[:6])
    ids = tuple(frame[6 + 3 * n] for n in range(components))
    if (width, height) != (WIDTH, HEIGHT):
        yield f"frame is {width} x {height}, expected {WIDTH} x {HEIGHT}"
    if precision != 8 or components != 3 or ids != (1, 2, 3):
        yield f"frame has {components} components {ids} at {precision} bits, expected YCbCr: 3 components (1, 2, 3) at 8 bits"
    for m, p in segments:
        if m == 0xEE and p.startswith(b"Adobe") and len(p) >= 12 and p[11] != 1:
            yield "Adobe marker says the colours are not YCbCr"

    jfif = [p for m, p in segments if m == 0xE0 and p.startswith(b"JFIF\0")]
    if not jfif:
        yield "no JFIF APP0 segment"
    else:
        units, x_density, y_density = struct.unpack(">BHH", jfif[0][7:12])
        if (units, x_density, y_density) != (1, DOTS_PER_INCH, DOTS_PER_INCH):
            yield (f"JFIF density is {x_density} x {y_density} in units {units}, "
                   f"expected {DOTS_PER_INCH} x {DOTS_PER_INCH} dots per inch (units 1)")
    exif = [p for m, p in segments if m == 0xE1 and p.startswith(b"Exif\0\0")]
    if not exif:
        yield "no Exif APP1 segment"
    elif exif[0][6:10] not in (b"II*\0", b"MM\0*"):
        yield "Exif APP1 segment does not hold a TIFF header"
    icc = [p for m, p in segments if m == 0xE2 and p.startswith(b"ICC_PROFILE\0")]
    if not icc:
        yield "no ICC_PROFILE APP2 segment"
    else:
        profile = icc[0][14:]
        if profile[36:40] != b"acsp" or profile[16:20] != b"RGB ":
            yield "ICC_PROFILE APP2 segment does not hold an RGB colour profile"


def _mean(picture, boxes):
    stats = [ImageStat.Stat(picture.crop((l, t, l + w, t + h))) for l, t, w, h in boxes]
    counts = [w * h for _, _, w, h in boxes]
    return tuple(sum(s.mean[c] * n for s, n in zip(stats, counts)) / sum(counts) for c in range(3))


def _picture_failures(picture, upper, lower):
    for what, boxes, wanted in (("upper band", UPPER_SAMPLES, upper), ("lower band", LOWER_SAMPLES, lower)):
        found = _mean(picture, boxes)
        if any(abs(f - w) > BAND_TOLERANCE for f, w in zip(found, wanted)):
            yield (f"{what} averages RGB {tuple(round(f) for f in found)}, "
                   f"expected within {BAND_TOLERANCE} of {wanted}")
    white = [(x, y) for y in range(HEIGHT) for x in range(WIDTH)
             if min(picture.getpixel((x, y))) >= WHITE]
    if not white:
        yield "has no white x"
        return
    xs, ys = [x for x, _ in white], [y for _, y in white]
    centre = (sum(xs) / len(xs) + 0.5, sum(ys) / len(ys) + 0.5)
    if any(abs(c - w) > CROSS_CENTRE_SLACK for c, w in zip(centre, CROSS_CENTRE)):
        yield f"white x is centred at {centre[0]:.1f}, {centre[1]:.1f}, expected near {CROSS_CENTRE}"
    size = (max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
    if not all(CROSS_SIZE[0] <= s <= CROSS_SIZE[1] for s in size):
        yield f"white x is {size[0]} x {size[1]} pixels, expected about 10 x 10"
    if min(picture.getpixel((int(CROSS_CENTRE[0]), int(CROSS_CENTRE[1])))) < WHITE:
        yield "the middle of the x is not white"


def failures(directory):
    """(file name, sentence) for every fact a close-button picture breaks."""
    for name, upper, lower in STATES:
        path = directory / name
        if not path.is_file():
            yield name, "missing"
            continue
        jpeg = path.read_bytes()
        try:
            segments = _segments(jpeg)
        except ValueError as error:
            yield name, str(error)
            continue
        for failure in _structure_failures(segments):
            yield name, failure
        try:
            picture = Image.open(io.BytesIO(jpeg))
            picture.load()
        except Exception as error:  # Pillow raises many kinds on bad image data
            yield name, f"does not decode: {error}"
            continue
        if picture.mode != "RGB" or picture.size != (WIDTH, HEIGHT):
            yield name, f"decodes as {picture.mode} {picture.size[0]} x {picture.size[1]}, expected RGB 43 x 16"
            continue
        for failure in _picture_failures(picture, upper, lower):
            yield name, failure
