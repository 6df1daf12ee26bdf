"""What notice.ico and hand.cur must be: classic DIB entries every Windows
version and windres read, in the sizes and with the hot spot the program uses."""

import struct

ICON_SIZES = (128, 64, 48, 32, 16)
CURSOR_SIZE = 32
HOT_SPOT = (6, 1)

_DIRECTORY = struct.Struct("<HHH")
_ENTRY = struct.Struct("<BBBBHHII")
_INFO = struct.Struct("<IiiHHIIiiII")
_PNG = b"\x89PNG\r\n\x1a\n"


def _directory(data, wanted_type):
    """The entries as (width, height, field1, field2, image bytes); raises ValueError."""
    if len(data) < _DIRECTORY.size:
        raise ValueError("too short for a directory")
    reserved, kind, count = _DIRECTORY.unpack_from(data)
    if reserved != 0 or kind != wanted_type:
        raise ValueError(f"directory type is {kind} (reserved {reserved}), expected type {wanted_type}")
    entries = []
    for n in range(count):
        at = _DIRECTORY.size + n * _ENTRY.size
        if at + _ENTRY.size > len(data):
            raise ValueError(f"directory entry {n} runs past the end of the file")
        width, height, _, _, field1, field2, size, offset = _ENTRY.unpack_from(data, at)
        if offset + size > len(data):
            raise ValueError(f"image {n} ({size} bytes at {offset}) runs past the end of the file")
        entries.append((width or 256, height or 256, field1, field2, data[offset:offset + size]))
    return entries


def _mask_row_bytes(width):
    return (width + 31) // 32 * 4


def _bits(image, start, width, height, x, y):
    """One bit of a bottom-up 1-bit bitmap starting at `start`."""
    row = start + (height - 1 - y) * _mask_row_bytes(width)
    return image[row + x // 8] >> (7 - x % 8) & 1


def _info(image, name):
    if image.startswith(_PNG):
        raise ValueError(f"{name} is a PNG entry, expected an uncompressed DIB")
    if len(image) < _INFO.size or _INFO.unpack_from(image)[0] != 40:
        raise ValueError(f"{name} does not start with a BITMAPINFOHEADER")
    return _INFO.unpack_from(image)


def _icon_image_failures(size, planes, bit_count, image):
    name = f"{size} x {size} image"
    if (planes, bit_count) != (1, 32):
        yield f"{name}: directory says {planes} planes at {bit_count} bits, expected 1 plane at 32 bits"
    try:
        _, width, height, _, bits, compression, *_ = _info(image, name)
    except ValueError as error:
        yield str(error)
        return
    if (width, height, bits, compression) != (size, 2 * size, 32, 0):
        yield (f"{name}: header is {width} x {height}, {bits} bits, compression {compression}; "
               f"expected {size} x {2 * size} (colour and mask), 32 bits, uncompressed")
        return
    colour_bytes = 4 * size * size
    if len(image) != _INFO.size + colour_bytes + _mask_row_bytes(size) * size:
        yield f"{name}: {len(image)} bytes, expected header, BGRA pixels and a 1-bit AND mask"
        return
    alphas = image[_INFO.size + 3:_INFO.size + colour_bytes:4]
    if 0 not in alphas or 255 not in alphas:
        yield f"{name}: alpha has no fully transparent or no fully opaque pixels; the page should stand free"
    mask_start = _INFO.size + colour_bytes
    mismatched = sum(1 for y in range(size) for x in range(size)
                     if _bits(image, mask_start, size, size, x, y) != (alphas[(size - 1 - y) * size + x] == 0))
    if mismatched:
        yield f"{name}: AND mask disagrees with alpha at {mismatched} pixels (mask must be set exactly where alpha is 0)"


def icon_failures(path):
    try:
        entries = _directory(path.read_bytes(), 1)
    except ValueError as error:
        yield str(error)
        return
    sizes = sorted((w for w, h, *_ in entries), reverse=True)
    if sizes != sorted(ICON_SIZES, reverse=True) or any(w != h for w, h, *_ in entries):
        yield f"holds {[(w, h) for w, h, *_ in entries]}, expected exactly the squares {ICON_SIZES}"
    for width, _, planes, bit_count, image in entries:
        yield from _icon_image_failures(width, planes, bit_count, image)


def cursor_failures(path):
    try:
        entries = _directory(path.read_bytes(), 2)
    except ValueError as error:
        yield str(error)
        return
    if len(entries) != 1:
        yield f"holds {len(entries)} images, expected one"
        return
    width, height, hot_x, hot_y, image = entries[0]
    if (width, height) != (CURSOR_SIZE, CURSOR_SIZE):
        yield f"image is {width} x {height}, expected {CURSOR_SIZE} x {CURSOR_SIZE}"
    if (hot_x, hot_y) != HOT_SPOT:
        yield f"hot spot is ({hot_x}, {hot_y}), expected {HOT_SPOT}"
    try:
        _, w, h, _, bits, compression, *_ = _info(image, "cursor image")
    except ValueError as error:
        yield str(error)
        return
    if (w, h, bits, compression) != (CURSOR_SIZE, 2 * CURSOR_SIZE, 1, 0):
        yield (f"header is {w} x {h}, {bits} bits, compression {compression}; "
               f"expected {CURSOR_SIZE} x {2 * CURSOR_SIZE} (XOR and AND masks), 1 bit, uncompressed")
        return
    plane = _mask_row_bytes(CURSOR_SIZE) * CURSOR_SIZE
    xor_start = _INFO.size + 8          # after the two-colour palette
    and_start = xor_start + plane
    if len(image) != and_start + plane:
        yield f"{len(image)} bytes, expected header, 2-colour palette, XOR and AND masks"
        return
    kinds = {}
    for y in range(CURSOR_SIZE):
        for x in range(CURSOR_SIZE):
            pair = (_bits(image, and_start, CURSOR_SIZE, CURSOR_SIZE, x, y),
                    _bits(image, xor_start, CURSOR_SIZE, CURSOR_SIZE, x, y))
            kinds[pair] = kinds.get(pair, 0) + 1
    if not (kinds.get((0, 0)) and kinds.get((0, 1)) and kinds.get((1, 0))):
        yield "image lacks black, white or transparent pixels; expected a white hand with a black outline"
    if not (0 <= hot_x < CURSOR_SIZE and 0 <= hot_y < CURSOR_SIZE):
        yield f"hot spot ({hot_x}, {hot_y}) lies outside the image"
    elif _bits(image, and_start, CURSOR_SIZE, CURSOR_SIZE, hot_x, hot_y):
        yield f"hot spot ({hot_x}, {hot_y}) is on a transparent pixel, not on the fingertip"
