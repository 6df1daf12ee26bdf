"""What backdrop.png must be: the file structure the painter and viewers rely on,
and the scroll's shape, under which the content window places its texts and
close button."""

import struct
import zlib

from PIL import Image, ImageFilter, ImageStat

WIDTH, HEIGHT = 520, 670
PIXELS_PER_METRE = 2835
SRGB_CHROMATICITIES = (31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000)

# (what, left, top, width, height): where the content window draws; must be fully opaque.
OPAQUE_AREAS = (
    ("close button", 438, 54, 43, 16),
    ("title", 108, 91, 304, 56),
    ("body", 52, 184, 416, 406),
    ("link", 52, 616, 220, 20),
)
# (what, left, top, width, height): outside the scroll; must be fully transparent.
TRANSPARENT_AREAS = (
    ("first 4 rows", 0, 0, WIDTH, 4),
    ("last 3 rows", 0, HEIGHT - 3, WIDTH, 3),
    ("strip left of the sheet", 0, 100, 8, 480),
    ("strip right of the sheet", WIDTH - 8, 100, 8, 480),
)
# (what, low, high) shares of all pixels, by alpha.
ALPHA_SHARES = (
    ("opaque (alpha 255)", lambda a: a == 255, 0.88, 0.94),
    ("transparent (alpha 0)", lambda a: a == 0, 0.06, 0.10),
    ("partly transparent", lambda a: 0 < a < 255, 0.0, 0.01),
)
# (what, left, top, width, height): spans each roll must cover.
ROLL_SPANS = (
    ("top roll across row 45", 12, 45, WIDTH - 24, 1),
    ("bottom roll across row 628", 10, 628, WIDTH - 20, 1),
)
SHEET_SAMPLE = (60, 200, 400, 360)
SHEET_COLOUR = (225, 195, 154)
SHEET_TOLERANCE = 15
ROLL_SAMPLE = (100, 20, 320, 50)
ROLL_DARKER_BY = 20     # in mean luminance


def _chunks(png):
    """(type, data, offset) per chunk; raises ValueError with a reason on a damaged file."""
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("PNG signature missing")
    chunks, at = [], 8
    while at < len(png):
        if at + 12 > len(png):
            raise ValueError(f"file ends inside a chunk header at byte {at}")
        length, = struct.unpack(">I", png[at:at + 4])
        kind = png[at + 4:at + 8].decode("latin-1")
        end = at + 12 + length
        if end > len(png):
            raise ValueError(f"chunk {kind} at byte {at} runs past the end of the file")
        data = png[at + 8:at + 8 + length]
        stored, = struct.unpack(">I", png[end - 4:end])
        computed = zlib.crc32(png[at + 4:at + 8] + data)
        if stored != computed:
            raise ValueError(f"chunk {kind} at byte {at} has a bad CRC "
                             f"(stored {stored:08x}, computed {computed:08x})")
        chunks.append((kind, data, at))
        at = end
    return chunks


def _structure_failures(chunks):
    kinds = [kind for kind, _, _ in chunks]
    data = {kind: d for kind, d, _ in reversed(chunks)}
    if kinds[0] != "IHDR":
        yield f"first chunk is {kinds[0]}, not IHDR"
        return
    width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", data["IHDR"])
    for what, found, wanted in (("width", width, WIDTH), ("height", height, HEIGHT),
                                ("bit depth", depth, 8), ("colour type", colour_type, 6),
                                ("interlace method", interlace, 0)):
        if found != wanted:
            yield f"IHDR {what} is {found}, expected {wanted} (520 x 670, 8-bit RGBA, not interlaced)"
    if "IDAT" not in kinds:
        yield "no IDAT chunk"
        return
    first_idat = kinds.index("IDAT")
    for kind in ("pHYs", "iCCP", "cHRM"):
        if kind not in kinds:
            yield f"no {kind} chunk"
        elif kinds.index(kind) > first_idat:
            yield f"{kind} chunk comes after IDAT; it must be before IDAT"
    if "pHYs" in data:
        found = struct.unpack(">IIB", data["pHYs"])
        if found != (PIXELS_PER_METRE, PIXELS_PER_METRE, 1):
            yield f"pHYs is {found[0]} x {found[1]} unit {found[2]}, expected 2835 x 2835 pixels per metre (unit 1)"
    if "cHRM" in data:
        found = struct.unpack(">8I", data["cHRM"]) if len(data["cHRM"]) == 32 else None
        if found is None or any(abs(f - w) > 100 for f, w in zip(found, SRGB_CHROMATICITIES)):
            yield f"cHRM is {found}, expected the sRGB chromaticities {SRGB_CHROMATICITIES}"
    if "iCCP" in data:
        yield from _profile_failures(data["iCCP"])
    if kinds[-1] != "IEND":
        yield "last chunk is not IEND"


def _profile_failures(iccp):
    name, _, rest = iccp.partition(b"\0")
    if not rest or rest[0] != 0:
        yield "iCCP has no profile name or an unknown compression method"
        return
    try:
        profile = zlib.decompress(rest[1:])
    except zlib.error as error:
        yield f"iCCP profile does not decompress: {error}"
        return
    if profile[36:40] != b"acsp" or profile[16:20] != b"RGB ":
        yield "iCCP does not hold an RGB ICC profile"


def _region(picture, left, top, width, height):
    return picture.crop((left, top, left + width, top + height))


def _pixel_failures(picture):
    alpha = picture.getchannel("A")
    histogram = alpha.histogram()
    total = WIDTH * HEIGHT
    for what, belongs, low, high in ALPHA_SHARES:
        share = sum(count for value, count in enumerate(histogram) if belongs(value)) / total
        if not low <= share <= high:
            yield f"{share:.2%} of pixels are {what}, expected {low:.0%} to {high:.0%}"

    for what, *area in OPAQUE_AREAS:
        lowest = _region(alpha, *area).getextrema()[0]
        if lowest != 255:
            yield f"{what} area {tuple(area)} is not fully opaque (lowest alpha {lowest})"
    for what, *area in ROLL_SPANS:
        lowest = _region(alpha, *area).getextrema()[0]
        if lowest != 255:
            yield f"{what} {tuple(area)} is not fully opaque (lowest alpha {lowest})"
    for what, *area in TRANSPARENT_AREAS:
        highest = _region(alpha, *area).getextrema()[1]
        if highest != 0:
            yield f"{what} {tuple(area)} is not fully transparent (highest alpha {highest})"

    # Partial alpha only as the outline's rim: every such pixel lies next to a transparent one.
    transparent = alpha.point(lambda a: 255 if a == 0 else 0)
    near_outside = transparent.filter(ImageFilter.MaxFilter(5))
    partial = alpha.point(lambda a: 255 if 0 < a < 255 else 0)
    inside_partial = sum(1 for p, n in zip(partial.getdata(), near_outside.getdata()) if p and not n)
    if inside_partial:
        yield f"{inside_partial} partly transparent pixels lie inside the scroll, away from its rim"

    rgb = picture.convert("RGB")
    sheet = ImageStat.Stat(_region(rgb, *SHEET_SAMPLE)).mean
    if any(abs(m - w) > SHEET_TOLERANCE for m, w in zip(sheet, SHEET_COLOUR)):
        found = tuple(round(m) for m in sheet)
        yield f"sheet mean colour over {SHEET_SAMPLE} is {found}, expected within {SHEET_TOLERANCE} of {SHEET_COLOUR}"
    sheet_light = ImageStat.Stat(_region(rgb.convert("L"), *SHEET_SAMPLE)).mean[0]
    roll_light = ImageStat.Stat(_region(rgb.convert("L"), *ROLL_SAMPLE)).mean[0]
    if roll_light > sheet_light - ROLL_DARKER_BY:
        yield (f"top roll {ROLL_SAMPLE} is not darker than the sheet "
               f"(mean luminance {roll_light:.0f} against {sheet_light:.0f})")


def failures(path):
    """Every fact backdrop.png breaks, as readable sentences."""
    png = path.read_bytes()
    try:
        chunks = _chunks(png)
    except ValueError as error:
        yield str(error)
        return
    yield from _structure_failures(chunks)
    try:
        picture = Image.open(path)
        picture.load()
    except Exception as error:  # Pillow raises many kinds on bad image data
        yield f"does not decode: {error}"
        return
    # The pixel facts are about a 520 x 670 RGBA picture; IHDR has already said what else it is.
    if picture.mode == "RGBA" and picture.size == (WIDTH, HEIGHT):
        yield from _pixel_failures(picture)
