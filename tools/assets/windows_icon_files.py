"""Writing .ico and .cur files with uncompressed DIB images.

Pillow writes icons with PNG-compressed entries, which old Windows versions
and some resource compilers cannot read; these helpers write the classic
layout instead: a directory, then per image a BITMAPINFOHEADER of doubled
height, the colour rows bottom-up and a 1-bit AND mask (1 = transparent).
"""

import struct

ICON_TYPE, CURSOR_TYPE = 1, 2
_DIRECTORY = struct.Struct("<HHH")
_ENTRY = struct.Struct("<BBBBHHII")


def _info_header(width, height, bit_count, image_bytes, colours_used):
    # Height counts the colour rows and the mask rows together.
    return struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bit_count, 0,
                       image_bytes, 0, 0, colours_used, 0)


def _pack_bits(rows_of_bits):
    """1-bit rows, bottom row first, each padded to a multiple of 4 bytes."""
    packed = bytearray()
    for bits in reversed(rows_of_bits):
        row = bytearray((len(bits) + 31) // 32 * 4)
        for x, bit in enumerate(bits):
            if bit:
                row[x // 8] |= 0x80 >> (x % 8)
        packed += row
    return bytes(packed)


def icon_image_32bit(rgba):
    """One 32-bit icon image with alpha from a Pillow RGBA picture."""
    if rgba.mode != "RGBA":
        raise ValueError("icon images must be RGBA")
    width, height = rgba.size
    pixels = rgba.tobytes()
    colour_rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            r, g, b, a = pixels[4 * (y * width + x):4 * (y * width + x) + 4]
            row += bytes((b, g, r, a))
        colour_rows.append(bytes(row))
    colour = b"".join(reversed(colour_rows))
    mask = _pack_bits([[pixels[4 * (y * width + x) + 3] == 0 for x in range(width)] for y in range(height)])
    return _info_header(width, height, 32, len(colour), 0) + colour + mask


def monochrome_image(rows):
    """One 1-bit image from rows of 'black', 'white' or None (transparent)."""
    height, width = len(rows), len(rows[0])
    # Screen = (screen AND and_bit) XOR xor_bit: transparent 1/0, black 0/0, white 0/1.
    xor_bits = [[pixel == "white" for pixel in row] for row in rows]
    and_bits = [[pixel is None for pixel in row] for row in rows]
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor = _pack_bits(xor_bits)
    return _info_header(width, height, 1, len(xor), 2) + palette + xor + _pack_bits(and_bits)


def _file(kind, entries):
    """entries: (width, height, colour count, field 1, field 2, image bytes)."""
    offset = _DIRECTORY.size + _ENTRY.size * len(entries)
    directory, images = bytearray(_DIRECTORY.pack(0, kind, len(entries))), bytearray()
    for width, height, colours, field1, field2, image in entries:
        # Sizes of 256 are written as 0.
        directory += _ENTRY.pack(width % 256, height % 256, colours, 0, field1, field2,
                                 len(image), offset + len(images))
        images += image
    return bytes(directory + images)


def icon_file(pictures):
    """An .ico holding one 32-bit entry per RGBA picture, in the order given."""
    return _file(ICON_TYPE, [(p.width, p.height, 0, 1, 32, icon_image_32bit(p)) for p in pictures])


def cursor_file(rows, hot_spot):
    """A .cur with one monochrome image; a cursor's entry holds its hot spot where an icon's has planes and bit count."""
    x, y = hot_spot
    return _file(CURSOR_TYPE, [(len(rows[0]), len(rows), 2, x, y, monochrome_image(rows))])
