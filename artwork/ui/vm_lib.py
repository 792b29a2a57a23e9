"""Shared helpers for the Velmora interface artwork: paths, palette, fonts,
SVG rasterising through rsvg-convert, and byte-stable BMP/PNG writers."""
import io
import os
import re
import subprocess

import numpy as np
from PIL import Image, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ARTWORK = os.path.dirname(HERE)
ROOT = os.path.dirname(ARTWORK)
RES = os.path.join(ROOT, "resources")
MDI = os.path.join(ARTWORK, "node_modules", "@mdi", "svg", "svg")

# Palette: charcoal "ink" surfaces, warm brass lines, deep tattoo red.
INK = (23, 20, 19)
BRASS = (198, 162, 100)
BRASS_DIM = (128, 104, 66)

FONT_DIR_EB = "/usr/share/fonts/opentype/ebgaramond"
FONT_DIR_DV = "/usr/share/fonts/truetype/dejavu"
FONTS = {
    "serif": os.path.join(FONT_DIR_EB, "EBGaramond12-Regular.otf"),
    "serif-italic": os.path.join(FONT_DIR_EB, "EBGaramond12-Italic.otf"),
    "serif-bold": os.path.join(FONT_DIR_EB, "EBGaramond12-Bold.otf"),
    "sans": os.path.join(FONT_DIR_DV, "DejaVuSans.ttf"),
    "sans-bold": os.path.join(FONT_DIR_DV, "DejaVuSans-Bold.ttf"),
    "sans-cond": os.path.join(FONT_DIR_DV, "DejaVuSansCondensed.ttf"),
    "sans-cond-bold": os.path.join(FONT_DIR_DV, "DejaVuSansCondensed-Bold.ttf"),
}
_font_cache = {}


def font(name, size):
    key = (name, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONTS[name], size, layout_engine=ImageFont.Layout.BASIC)
    return _font_cache[key]


def hexc(rgb):
    return "#%02x%02x%02x" % tuple(rgb[:3])


def mdi_paths(name):
    """The path data of one Material Design icon (24x24 design grid)."""
    with open(os.path.join(MDI, name + ".svg"), encoding="utf-8") as f:
        text = f.read()
    return re.findall(r'<path[^>]*\sd="([^"]+)"', text)


def svg_image(body, width, height, view=None):
    """Rasterise an SVG fragment to an RGBA PIL image of width x height."""
    vb = view or (0, 0, width, height)
    doc = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%s %s %s %s">%s</svg>'
           % (width, height, vb[0], vb[1], vb[2], vb[3], body))
    png = subprocess.run(["rsvg-convert", "-f", "png", "-w", str(width), "-h", str(height)],
                         input=doc.encode("utf-8"), stdout=subprocess.PIPE, check=True).stdout
    img = Image.open(io.BytesIO(png))
    img.load()
    return img.convert("RGBA")


def mdi_group(name, x, y, size, fill, extra=""):
    """An SVG group drawing the icon in a size x size box at (x, y).
    A name such as "flip-horizontal@90" turns the icon by that many degrees."""
    name, _, turn = name.partition("@")
    s = size / 24.0
    paths = "".join('<path d="%s"/>' % d for d in mdi_paths(name))
    spin = ' rotate(%s 12 12)' % turn if turn else ""
    return ('<g transform="translate(%.3f %.3f) scale(%.5f)%s" fill="%s" %s>%s</g>'
            % (x, y, s, spin, fill, extra, paths))


def save_bmp(img, name):
    """24-bit uncompressed BMP (no alpha), the form the program's bitmaps take."""
    path = os.path.join(RES, name + ".bmp")
    img.convert("RGB").save(path, format="BMP")
    return path


def save_png(img, path):
    """PNG without time or text chunks, 8 bits per channel."""
    img.save(path, format="PNG", optimize=False, compress_level=9)
    return path


def noise_field(w, h, seed, amp):
    rng = np.random.RandomState(seed)
    return rng.normal(0.0, amp, (h, w))


def text_width(fnt, text, spacing=0):
    if spacing == 0:
        return fnt.getlength(text)
    return sum(fnt.getlength(c) for c in text) + spacing * (len(text) - 1)


def draw_text(draw, xy, text, fnt, fill, spacing=0, anchor="ls"):
    """Text with optional letter spacing; xy is the left end of the baseline."""
    x, y = xy
    if spacing == 0:
        draw.text((x, y), text, font=fnt, fill=fill, anchor=anchor)
        return
    for c in text:
        draw.text((x, y), c, font=fnt, fill=fill, anchor=anchor)
        x += fnt.getlength(c) + spacing


def caps_label(draw, x, y, text, size, fill, spacing=1.4, name="sans-cond-bold", align="left"):
    fnt = font(name, size)
    w = text_width(fnt, text, spacing)
    if align == "center":
        x -= w / 2
    elif align == "right":
        x -= w
    draw_text(draw, (x, y), text, fnt, fill, spacing)
    return w
