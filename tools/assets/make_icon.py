#!/usr/bin/python3
"""Makes assets/notice.ico, the program icon.

    /usr/bin/python3 tools/assets/make_icon.py [output.ico]

A cream page covered in grey lines of text with its top right corner folded
over in green, in 128, 64, 48, 32 and 16 pixels, each 32-bit with alpha.
Every size is laid out on its own pixel grid (LAYOUTS) instead of being
shrunk from the largest, so the page edges and text lines of the small
sizes fall on whole pixels and stay sharp; only the fold's diagonal is
anti-aliased. The page is drawn SUPERSAMPLE times larger and averaged down.
"""

import sys
from dataclasses import dataclass
from pathlib import Path

try:
    import numpy as np
    from PIL import Image, ImageDraw, ImageFilter
except ImportError:
    raise SystemExit("make_icon: needs numpy and Pillow (Debian packages python3-numpy, python3-pil)")

from windows_icon_files import icon_file

DEFAULT_OUTPUT = Path(__file__).resolve().parents[2] / "assets" / "notice.ico"
SEED = 7
SUPERSAMPLE = 4

PAGE_TOP_COLOUR = (255, 252, 238)
PAGE_BOTTOM_COLOUR = (247, 239, 214)
PAGE_EDGE = (150, 138, 112, 255)
TEXT_GREY = (140, 140, 140, 255)
FOLD_LIGHT = (132, 204, 104)
FOLD_DARK = (64, 152, 58)
FOLD_EDGE = (36, 110, 40, 255)


@dataclass(frozen=True)
class Layout:
    size: int
    page: tuple              # left, top, right, bottom: pixel edges, right/bottom exclusive
    fold: int                # side of the folded corner
    first_line: int          # top of the first text line
    line_pitch: int
    line_height: int
    margin: int              # between the page edge and the text
    words: bool              # break lines into words (the sizes large enough to show them)
    shadow: tuple = None     # (offset, blur radius, opacity) of the soft drop shadow
    text_grey: tuple = TEXT_GREY
    crisp: bool = False      # no half-transparent pixels: the fold's diagonal becomes clean steps


LAYOUTS = (
    Layout(128, (18, 6, 106, 122), 30, 22, 8, 3, 12, True, (3, 3.0, 0.35)),
    Layout(64, (9, 3, 53, 61), 15, 11, 5, 2, 6, True, (2, 1.6, 0.32)),
    Layout(48, (7, 2, 40, 46), 11, 8, 4, 2, 5, True, (1, 1.2, 0.3)),
    Layout(32, (5, 1, 27, 31), 8, 6, 3, 1, 4, False, (1, 0.6, 0.25), (128, 128, 128, 255), crisp=True),
    Layout(16, (2, 0, 14, 16), 5, 3, 2, 1, 2, False, None, (120, 120, 120, 255), crisp=True),
)


def _fill_rect(draw, s, left, top, right, bottom, colour):
    """A rectangle in whole icon pixels, right and bottom exclusive."""
    draw.rectangle((left * s, top * s, right * s - 1, bottom * s - 1), fill=colour)


def _text_lines(draw, layout, rng, s):
    left, top, right, bottom = layout.page
    x0 = left + layout.margin
    y = layout.first_line
    line = 0
    while y + layout.line_height <= bottom - layout.margin + (1 if layout.size <= 16 else 0):
        # Lines beside the fold stop short of it; every few lines a paragraph ends early.
        x1 = right - layout.margin - (layout.fold if y < top + layout.fold + 1 else 0)
        if line % 5 == 4:
            x1 = x0 + max(2, int((x1 - x0) * rng.uniform(0.35, 0.65)))
        if layout.words:
            shortest, longest = max(2, layout.size // 16), max(4, layout.size // 6)
            x = x0
            # No stubs of words at the line's end: a word that does not fit is left out.
            while x1 - x >= shortest:
                word = min(int(rng.integers(shortest, longest)), x1 - x)
                _fill_rect(draw, s, x, y, x + word, y + layout.line_height, layout.text_grey)
                x += word + max(1, layout.size // 40)
        else:
            _fill_rect(draw, s, x0, y, x1, y + layout.line_height, layout.text_grey)
        y += layout.line_pitch
        line += 1


def _shapes(layout, s):
    """Coverage masks (0 or 255, on the fine grid) of the page and of its folded-over corner."""
    left, top, right, bottom = layout.page
    fold = layout.fold
    fine = np.arange(layout.size * s, dtype=np.float32)
    y, x = (fine[:, None] + 0.5) / s, (fine[None, :] + 0.5) / s
    # Distance along the crease's normal: > 0 beyond it (cut away), < 0 on the page side.
    beyond_crease = (x - (right - fold)) - (y - top)
    in_square = (x >= left) & (x < right) & (y >= top) & (y < bottom)
    page = in_square & (beyond_crease <= 0)
    flap = page & (x >= right - fold) & (y < top + fold)
    crease = flap & (np.abs(beyond_crease) / np.sqrt(2.0) <= 0.5)
    return [np.where(m, 255, 0).astype(np.uint8) for m in (page, flap, crease)]


def _page(layout, rng):
    s = SUPERSAMPLE
    big = layout.size * s
    page_mask, flap_mask, crease_mask = _shapes(layout, s)

    shading = np.linspace(0.0, 1.0, big, dtype=np.float32)[:, None, None]
    paper = np.float32(PAGE_TOP_COLOUR) * (1 - shading) + np.float32(PAGE_BOTTOM_COLOUR) * shading
    paper = np.broadcast_to(paper, (big, big, 3))
    page = Image.fromarray(np.dstack([paper, page_mask]).astype(np.uint8), "RGBA")

    draw = ImageDraw.Draw(page)
    _text_lines(draw, layout, rng, s)
    left, top, right, bottom = layout.page
    fold = layout.fold
    for edge in ((left, top, left + 1, bottom), (left, bottom - 1, right, bottom),
                 (right - 1, top + fold, right, bottom), (left, top, right - fold, top + 1)):
        _fill_rect(draw, s, *edge, PAGE_EDGE)

    # The folded corner lies on the page, lighter at its tip, darker toward the crease.
    yy, xx = np.mgrid[0:big, 0:big].astype(np.float32) / s
    towards_crease = np.clip(((xx - (right - fold)) + (top + fold - yy)) / (2 * fold), 0, 1)[..., None]
    green = np.float32(FOLD_LIGHT) * (1 - towards_crease) + np.float32(FOLD_DARK) * towards_crease
    page.alpha_composite(Image.fromarray(np.dstack([green, flap_mask]).astype(np.uint8), "RGBA"))
    fold_draw = ImageDraw.Draw(page)
    _fill_rect(fold_draw, s, right - fold, top, right - fold + 1, top + fold, FOLD_EDGE)
    _fill_rect(fold_draw, s, right - fold, top + fold - 1, right, top + fold, FOLD_EDGE)
    crease = Image.new("RGBA", (big, big), FOLD_EDGE)
    crease.putalpha(Image.fromarray(crease_mask))
    page.alpha_composite(crease)
    # Keep everything inside the page's outline.
    page.putalpha(Image.fromarray(np.minimum(np.asarray(page.getchannel("A")), page_mask)))
    return page


def _average_down(picture, s):
    """Box-filter an RGBA picture by s, averaging premultiplied colour so edges do not darken."""
    rgba = np.asarray(picture, np.float32)
    alpha = rgba[..., 3:] / 255.0
    premultiplied = np.dstack([rgba[..., :3] * alpha, alpha])
    h, w = rgba.shape[0] // s, rgba.shape[1] // s
    small = premultiplied.reshape(h, s, w, s, 4).mean(axis=(1, 3))
    a = small[..., 3:]
    colour = np.where(a > 0, small[..., :3] / np.maximum(a, 1e-6), 0)
    return Image.fromarray(np.rint(np.dstack([colour, a * 255.0])).clip(0, 255).astype(np.uint8), "RGBA")


def _with_shadow(page, layout):
    if layout.shadow is None:
        return page
    offset, blur, opacity = layout.shadow
    alpha = page.getchannel("A")
    shadow_alpha = Image.new("L", page.size, 0)
    shadow_alpha.paste(alpha, (offset, offset))
    shadow_alpha = shadow_alpha.filter(ImageFilter.GaussianBlur(blur)).point(lambda v: int(v * opacity + 0.5))
    shadow = Image.new("RGBA", page.size, (40, 32, 20, 0))
    shadow.putalpha(shadow_alpha)
    shadow.alpha_composite(page)
    return shadow


def _snap_alpha(picture):
    alpha = picture.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    picture.putalpha(alpha)
    return picture


def draw_icon(layout, rng):
    page = _average_down(_page(layout, rng), SUPERSAMPLE)
    if layout.crisp:
        page = _snap_alpha(page)
    return _with_shadow(page, layout)


def main(argv):
    if len(argv) > 2:
        raise SystemExit("usage: make_icon.py [output.ico]")
    output = Path(argv[1]) if len(argv) == 2 else DEFAULT_OUTPUT
    rng = np.random.default_rng(SEED)
    pictures = [draw_icon(layout, rng) for layout in LAYOUTS]
    icon = icon_file(pictures)
    output.write_bytes(icon)
    print(f"make_icon: wrote {output} ({len(icon)} bytes)")


if __name__ == "__main__":
    main(sys.argv)
