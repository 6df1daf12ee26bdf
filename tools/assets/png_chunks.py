"""Splitting a PNG file into chunks and putting it back together.

Pillow writes pHYs and iCCP itself but has no way to write cHRM, so the
backdrop generator adds that chunk afterwards with these helpers.
"""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunk(kind, data):
    """One complete chunk: length, type, data and the CRC over type and data."""
    kind = kind.encode("ascii")
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def split_chunks(png):
    """(type, data) for every chunk, in file order; stops with a message on a damaged file."""
    if png[:8] != SIGNATURE:
        raise ValueError("not a PNG file (bad signature)")
    chunks, at = [], 8
    while at < len(png):
        if at + 12 > len(png):
            raise ValueError(f"truncated chunk header at byte {at}")
        length, = struct.unpack(">I", png[at:at + 4])
        kind = png[at + 4:at + 8]
        data = png[at + 8:at + 8 + length]
        crc, = struct.unpack(">I", png[at + 8 + length:at + 12 + length])
        if len(data) != length or zlib.crc32(kind + data) != crc:
            raise ValueError(f"chunk {kind!r} at byte {at} is truncated or has a bad CRC")
        chunks.append((kind.decode("ascii"), data))
        at += 12 + length
    return chunks


def join_chunks(chunks):
    return SIGNATURE + b"".join(chunk(kind, data) for kind, data in chunks)


def insert_before(png, kind, data, before):
    """The same PNG with a new chunk placed just before the first chunk of type `before`."""
    chunks = split_chunks(png)
    kinds = [k for k, _ in chunks]
    if before not in kinds:
        raise ValueError(f"no {before} chunk to insert {kind} in front of")
    chunks.insert(kinds.index(before), (kind, data))
    return join_chunks(chunks)


def srgb_chromaticities():
    """cHRM data for sRGB: white point D65 and the Rec. 709 primaries, in units of 1/100000."""
    white, red, green, blue = (0.3127, 0.3290), (0.64, 0.33), (0.30, 0.60), (0.15, 0.06)
    values = [round(v * 100000) for point in (white, red, green, blue) for v in point]
    return struct.pack(">8I", *values)
