#!/usr/bin/python3
"""Proves check_assets.py catches what it is there for.

    /usr/bin/python3 tests/assets/check_assets_selftest.py ASSETS_DIRECTORY

Copies the real assets into a scratch directory, breaks one fact per case
(table BREAKAGES), and expects the checker to exit 1 naming that fact. The
untouched copy must pass, so a case cannot succeed merely because the assets
were broken already.
"""

import io
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

try:
    from PIL import Image
except ImportError:
    sys.exit("check_assets_selftest: needs Pillow (Debian package python3-pil); run it with /usr/bin/python3")

CHECKER = Path(__file__).resolve().parent / "check_assets.py"


# PNG: rebuild files chunk by chunk, so each case can break exactly one thing.

def _chunks(png):
    chunks, at = [], 8
    while at < len(png):
        length, = struct.unpack(">I", png[at:at + 4])
        chunks.append([png[at + 4:at + 8].decode("latin-1"), png[at + 8:at + 8 + length]])
        at += 12 + length
    return chunks


def _png(chunks):
    out = b"\x89PNG\r\n\x1a\n"
    for kind, data in chunks:
        kind = kind.encode("latin-1")
        out += struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return out


def _edit_chunks(edit):
    def apply(directory):
        path = directory / "backdrop.png"
        path.write_bytes(_png(edit(_chunks(path.read_bytes()))))
    return apply


def _without(kind):
    return lambda chunks: [c for c in chunks if c[0] != kind]


def _pixels_per_metre(value):
    def edit(chunks):
        for chunk in chunks:
            if chunk[0] == "pHYs":
                chunk[1] = struct.pack(">IIB", value, value, 1)
        return chunks
    return edit


def _profile_after_image_data(chunks):
    profile = [c for c in chunks if c[0] == "iCCP"]
    rest = [c for c in chunks if c[0] != "iCCP"]
    return rest[:-1] + profile + rest[-1:]


def _bad_crc(directory):
    path = directory / "backdrop.png"
    png = bytearray(path.read_bytes())
    at = png.index(b"pHYs")
    png[at + 4 + 9] ^= 0xFF          # first byte of the stored CRC
    path.write_bytes(bytes(png))


def _repaint_backdrop(change):
    """The same file with new pixels: Pillow's IHDR and IDAT, the original's other chunks."""
    def apply(directory):
        path = directory / "backdrop.png"
        original = _chunks(path.read_bytes())
        picture = change(Image.open(path).copy())
        buffer = io.BytesIO()
        picture.save(buffer, "PNG")
        fresh = _chunks(buffer.getvalue())
        ancillary = [c for c in original if c[0] not in ("IHDR", "IDAT", "IEND")]
        image_data = [c for c in fresh if c[0] == "IDAT"]
        path.write_bytes(_png(fresh[:1] + ancillary + image_data + [["IEND", b""]]))
    return apply


def _fill_alpha(box, alpha):
    def change(picture):
        a = picture.getchannel("A")
        a.paste(alpha, box)
        picture.putalpha(a)
        return picture
    return change


def _fill_colour(box, colour):
    def change(picture):
        picture.paste(colour + (255,), box)
        return picture
    return change


# JPEG: re-encode one state with the real files' settings but one changed.

def _reencode(name, picture_from=None, change=None, **overrides):
    def apply(directory):
        path = directory / name
        original = Image.open(path)
        picture = Image.open(directory / picture_from) if picture_from else original
        settings = dict(quality=95, subsampling=0, dpi=(183, 183),
                        exif=original.info["exif"], icc_profile=original.info["icc_profile"])
        settings.update(overrides)
        settings = {k: v for k, v in settings.items() if v is not None}
        picture = picture.convert("RGB")
        if change:
            picture = change(picture)
        buffer = io.BytesIO()
        picture.save(buffer, "JPEG", **settings)
        path.write_bytes(buffer.getvalue())
    return apply


def _paint_over_cross(picture):
    picture.paste((122, 76, 43), (14, 0, 30, 15))
    return picture


# Icon and cursor: edit the directory or the image bytes in place.

def _icon_as_pillow_writes_it(directory):
    path = directory / "notice.ico"
    picture = Image.open(path)
    picture.size = (128, 128)
    picture.load()
    picture.save(path, "ICO", sizes=[(s, s) for s in (128, 64, 48, 32, 16)])


def _icon_without_48(directory):
    path = directory / "notice.ico"
    data = path.read_bytes()
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [data[6 + 16 * n:22 + 16 * n] for n in range(count)]
    kept = [e for e in entries if e[0] != 48]
    shift = -16 * (count - len(kept))
    rebuilt = [e[:12] + struct.pack("<I", struct.unpack_from("<I", e, 12)[0] + shift) for e in kept]
    path.write_bytes(data[:4] + struct.pack("<H", len(kept)) + b"".join(rebuilt) + data[6 + 16 * count:])


def _icon_mask_cleared(directory):
    """The 16-pixel image's AND mask all zero: its transparent corners would show black on old Windows."""
    path = directory / "notice.ico"
    data = bytearray(path.read_bytes())
    count = struct.unpack_from("<H", data, 4)[0]
    for n in range(count):
        width, size, offset = data[6 + 16 * n], *struct.unpack_from("<II", data, 6 + 16 * n + 8)
        if width == 16:
            mask = 40 + 16 * 16 * 4
            data[offset + mask:offset + size] = bytes(size - mask)
    path.write_bytes(bytes(data))


def _cursor_field(offset, value):
    def apply(directory):
        path = directory / "hand.cur"
        data = bytearray(path.read_bytes())
        struct.pack_into("<H", data, offset, value)
        path.write_bytes(bytes(data))
    return apply


def _remove(name):
    return lambda directory: (directory / name).unlink()


# (what is broken, how, text the checker's report must contain)
BREAKAGES = (
    ("backdrop without cHRM", _edit_chunks(_without("cHRM")), "backdrop.png: no cHRM chunk"),
    ("backdrop without iCCP", _edit_chunks(_without("iCCP")), "backdrop.png: no iCCP chunk"),
    ("backdrop with a damaged CRC", _bad_crc, "has a bad CRC"),
    ("backdrop at 2834 pixels per metre", _edit_chunks(_pixels_per_metre(2834)), "pHYs is 2834 x 2834"),
    ("backdrop with its profile after the image data", _edit_chunks(_profile_after_image_data),
     "iCCP chunk comes after IDAT"),
    ("backdrop without alpha", _repaint_backdrop(lambda p: p.convert("RGB")), "IHDR colour type is 2"),
    ("backdrop 521 wide", _repaint_backdrop(lambda p: p.resize((521, 670))), "IHDR width is 521"),
    ("backdrop with a hole under the close button", _repaint_backdrop(_fill_alpha((470, 60, 472, 62), 0)),
     "close button area (438, 54, 43, 16) is not fully opaque"),
    ("backdrop with an opaque top row", _repaint_backdrop(_fill_alpha((100, 0, 420, 1), 255)),
     "first 4 rows (0, 0, 520, 4) is not fully transparent"),
    ("backdrop with a translucent patch in the body", _repaint_backdrop(_fill_alpha((200, 300, 230, 330), 128)),
     "partly transparent pixels lie inside the scroll"),
    ("backdrop with a grey sheet", _repaint_backdrop(_fill_colour((0, 100, 520, 590), (160, 160, 160))),
     "sheet mean colour"),
    ("backdrop with pale rolls", _repaint_backdrop(_fill_colour((4, 4, 516, 86), (250, 240, 220))),
     "top roll (100, 20, 320, 50) is not darker than the sheet"),
    ("progressive close button", _reencode("close-normal.jpg", progressive=True),
     "close-normal.jpg: frame is SOF2"),
    ("close button without a colour profile", _reencode("close-hover.jpg", icc_profile=b""),
     "close-hover.jpg: no ICC_PROFILE APP2 segment"),
    ("close button without Exif", _reencode("close-pressed.jpg", exif=b""),
     "close-pressed.jpg: no Exif APP1 segment"),
    ("close button at 72 dpi", _reencode("close-normal.jpg", dpi=(72, 72)),
     "close-normal.jpg: JFIF density is 72 x 72"),
    ("hover picture saved as the normal one", _reencode("close-normal.jpg", picture_from="close-hover.jpg"),
     "close-normal.jpg: upper band averages"),
    ("close button without its x", _reencode("close-normal.jpg", change=_paint_over_cross),
     "close-normal.jpg: has no white x"),
    ("close button 44 wide", _reencode("close-pressed.jpg", change=lambda p: p.resize((44, 16))),
     "close-pressed.jpg: frame is 44 x 16"),
    ("icon with PNG entries", _icon_as_pillow_writes_it, "is a PNG entry"),
    ("icon without the 48-pixel image", _icon_without_48, "expected exactly the squares"),
    ("icon whose mask ignores alpha", _icon_mask_cleared, "16 x 16 image: AND mask disagrees with alpha"),
    ("cursor with its hot spot in the corner", _cursor_field(10, 0), "hot spot is (0, 1)"),
    ("cursor hot spot off the hand", _cursor_field(12, 30), "is on a transparent pixel"),
    ("cursor stored as an icon", _cursor_field(2, 1), "hand.cur: directory type is 1"),
    ("missing pointer", _remove("hand.cur"), "hand.cur: missing"),
)


def run_checker(directory):
    result = subprocess.run([sys.executable, str(CHECKER), str(directory)],
                            capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr


def main(argv):
    if len(argv) != 2 or not Path(argv[1]).is_dir():
        sys.exit("usage: check_assets_selftest.py ASSETS_DIRECTORY")
    assets = Path(argv[1])
    problems = []
    with tempfile.TemporaryDirectory(prefix="check_assets_selftest.") as scratch:
        pristine = Path(scratch) / "pristine"
        shutil.copytree(assets, pristine)
        code, report = run_checker(pristine)
        if code != 0:
            sys.exit(f"check_assets_selftest: the real assets do not pass, so no case would mean anything:\n{report}")
        for number, (what, breakage, expected) in enumerate(BREAKAGES):
            copy = Path(scratch) / f"case{number}"
            shutil.copytree(assets, copy)
            breakage(copy)
            code, report = run_checker(copy)
            if code != 1 or expected not in report:
                problems.append(f"{what}: expected exit 1 and '{expected}', got exit {code}:\n{report}")
            else:
                print(f"caught: {what}")
    for problem in problems:
        print(f"MISSED {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
