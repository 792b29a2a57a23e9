"""Drawing sheets for tattoo designs.

A sheet is a 512-unit square SVG drawn black on white (white knocks ink out, so
later elements can sit in front of earlier ones), plus optional lettering
set with PIL.  Rendering gives an ink coverage map at PX pixels a unit;
`ink_rgba` turns it into the catalog picture: near-black ink, softened edges, a faint
unevenness as ink has in skin.
"""
import io
import json
import math
import os
import subprocess

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from .imaging import small_blur, value_noise

HERE = os.path.dirname(os.path.abspath(__file__))
MODULES = os.path.join(HERE, "..", "..", "node_modules", "@iconify-json")
FONT_DIR = "/usr/share/fonts/opentype/ebgaramond"
FONTS = {
    "bold": os.path.join(FONT_DIR, "EBGaramond12-Bold.otf"),
    "italic": os.path.join(FONT_DIR, "EBGaramond12-Italic.otf"),
}
INK = (20, 20, 20)
SS = 1  # supersampling of every sheet (rsvg already anti-aliases)
PX = 2  # picture pixels per sheet unit: designs are drawn 1024 pixels a side
SIDE = 512 * PX

_SETS = {}


def icon_set(prefix):
    if prefix not in _SETS:
        path = os.path.join(MODULES, prefix, "icons.json")
        with open(path, encoding="utf-8") as f:
            _SETS[prefix] = json.load(f)
    return _SETS[prefix]


def icon_body(prefix, name):
    data = icon_set(prefix)
    ic = data["icons"][name]
    vb = ic.get("width", data.get("width", 16))
    return ic["body"], vb


def rsvg(svg, size):
    """Renders SVG text to an RGBA image of size x size."""
    out = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                          "-f", "png"], input=svg.encode("utf-8"),
                         capture_output=True, check=True).stdout
    return Image.open(io.BytesIO(out)).convert("RGBA")


def arc_pt(cx, cy, r, deg):
    """Point on a circle; 0 degrees is straight up, clockwise positive."""
    a = math.radians(deg)
    return cx + r * math.sin(a), cy - r * math.cos(a)


def f(v):
    return f"{v:.2f}"


class Sheet:
    """One design, composed in 512-unit coordinates."""

    def __init__(self):
        self.parts = []
        self.letters = []  # (text, font, size, cx, cy, radius, colour)
        self.icons = []  # (prefix, name) of every icon drawn

    # ---- raw SVG -------------------------------------------------------
    def add(self, fragment):
        self.parts.append(fragment)
        return self

    def icon(self, name, cx, cy, size, rot=0, flip=False, colour="#000",
             halo=0, prefix="game-icons", sy=1.0):
        """Places an icon centred on (cx, cy), `size` units across; `halo`
        units of white around it knock out what lies behind."""
        body, vb = icon_body(prefix, name)
        self.icons.append((prefix, name))
        k = size / vb
        sx = -k if flip else k
        tr = (f"translate({f(cx)} {f(cy)}) rotate({f(rot)}) "
              f"scale({f(sx)} {f(k * sy)}) translate({-vb / 2} {-vb / 2})")
        if halo:
            sw = 2 * halo / k
            self.parts.append(
                f'<g transform="{tr}" color="#fff" stroke="#fff" '
                f'stroke-width="{f(sw)}" stroke-linejoin="round">{body}</g>')
        self.parts.append(f'<g transform="{tr}" color="{colour}">{body}</g>')
        return self

    def circle(self, cx, cy, r, width=0, fill="#000"):
        if width:
            self.parts.append(
                f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="none" '
                f'stroke="{fill}" stroke-width="{f(width)}"/>')
        else:
            self.parts.append(f'<circle cx="{f(cx)}" cy="{f(cy)}" '
                              f'r="{f(r)}" fill="{fill}"/>')
        return self

    def path(self, d, fill="#000", stroke=None, width=0):
        st = (f' stroke="{stroke}" stroke-width="{f(width)}" '
              f'stroke-linejoin="round" stroke-linecap="round"'
              if stroke else "")
        self.parts.append(f'<path d="{d}" fill="{fill}"{st}/>')
        return self

    # ---- ornaments -----------------------------------------------------
    def dot_ring(self, cx, cy, r, n, dot, start=0):
        for i in range(n):
            x, y = arc_pt(cx, cy, r, start + 360 * i / n)
            self.circle(x, y, dot)
        return self

    def stipple(self, cx, cy, r0, r1, rng, density=1.0, dot=1.6,
                arc=(0, 360)):
        """Dot-work halo: dots thin out from r0 to r1."""
        area = math.pi * (r1 * r1 - r0 * r0) * (arc[1] - arc[0]) / 360
        n = int(area / 55 * density)
        for _ in range(n):
            t = rng.random() ** 1.6
            r = r0 + (r1 - r0) * t
            a = arc[0] + (arc[1] - arc[0]) * rng.random()
            x, y = arc_pt(cx, cy, r, a)
            self.circle(x, y, dot * (1 - 0.45 * t))
        return self

    def rays(self, cx, cy, r0, r1, n, width, start=0, taper=True):
        for i in range(n):
            a = start + 360 * i / n
            x0, y0 = arc_pt(cx, cy, r0, a - width)
            x1, y1 = arc_pt(cx, cy, r0, a + width)
            x2, y2 = arc_pt(cx, cy, r1, a)
            if taper:
                self.path(f"M{f(x0)} {f(y0)}L{f(x2)} {f(y2)}L{f(x1)} "
                          f"{f(y1)}Z")
            else:
                xa, ya = arc_pt(cx, cy, r1, a - width * r0 / r1)
                xb, yb = arc_pt(cx, cy, r1, a + width * r0 / r1)
                self.path(f"M{f(x0)} {f(y0)}L{f(xa)} {f(ya)}L{f(xb)} "
                          f"{f(yb)}L{f(x1)} {f(y1)}Z")
        return self

    def petals(self, cx, cy, r0, r1, n, width, start=0, outline=0,
               fill="#000"):
        """n pointed petals between radii r0 and r1; `width` in degrees."""
        for i in range(n):
            a = start + 360 * i / n
            p0 = arc_pt(cx, cy, r0, a)
            p1 = arc_pt(cx, cy, r1, a)
            rm = (r0 + r1) / 2
            c0 = arc_pt(cx, cy, rm, a - width)
            c1 = arc_pt(cx, cy, rm, a + width)
            d = (f"M{f(p0[0])} {f(p0[1])}Q{f(c0[0])} {f(c0[1])} "
                 f"{f(p1[0])} {f(p1[1])}Q{f(c1[0])} {f(c1[1])} "
                 f"{f(p0[0])} {f(p0[1])}Z")
            if outline:
                self.path(d, fill="#fff", stroke="#000", width=outline)
            else:
                self.path(d, fill=fill)
        return self

    def scallops(self, cx, cy, r, n, bump, width, start=0):
        """A ring of half-circle arches."""
        for i in range(n):
            a0 = start + 360 * i / n
            a1 = start + 360 * (i + 1) / n
            p0 = arc_pt(cx, cy, r, a0)
            p1 = arc_pt(cx, cy, r, a1)
            self.path(f"M{f(p0[0])} {f(p0[1])}A{f(bump)} {f(bump)} 0 0 1 "
                      f"{f(p1[0])} {f(p1[1])}", fill="none", stroke="#000",
                      width=width)
        return self

    def leaf(self, x, y, length, width, deg, fill="#000"):
        """A pointed leaf from (x, y) towards angle deg."""
        tip = arc_pt(x, y, length, deg)
        c0 = arc_pt(x, y, length / 2, deg - width)
        c1 = arc_pt(x, y, length / 2, deg + width)
        self.path(f"M{f(x)} {f(y)}Q{f(c0[0])} {f(c0[1])} {f(tip[0])} "
                  f"{f(tip[1])}Q{f(c1[0])} {f(c1[1])} {f(x)} {f(y)}Z",
                  fill=fill)
        return self

    def wreath(self, cx, cy, r, a0, a1, n, size, side=1):
        """Laurel branch along an arc from a0 to a1 degrees."""
        pts = []
        for i in range(n + 1):
            pts.append(arc_pt(cx, cy, r, a0 + (a1 - a0) * i / n))
        d = "M" + "L".join(f"{f(x)} {f(y)}" for x, y in pts)
        self.path(d, fill="none", stroke="#000", width=size * 0.16)
        step = 1 if a1 > a0 else -1
        for i in range(1, n + 1):
            a = a0 + (a1 - a0) * i / n
            x, y = arc_pt(cx, cy, r, a)
            tang = a + 90 * step
            self.leaf(x, y, size, 22, tang + 38)
            self.leaf(x, y, size * 0.92, 22, tang - 38)
        return self

    def banner(self, cx, cy, length, height, radius=900, line=5,
               text=None, font="bold", size=None):
        """An arched ribbon with folded, notched tails; lettering on it."""
        half = math.degrees(length / 2 / radius)
        rc = cy + radius
        tail = math.degrees(height * 1.25 / radius)
        drop = height * 0.45

        def pt(r, a):
            return arc_pt(cx, rc, r, a)

        ro, ri = radius + height / 2, radius - height / 2
        for s in (-1, 1):
            a_in = s * (half - tail * 0.6)
            a_out = s * (half + tail)
            p = [pt(ro - drop, a_in), pt(ro - drop, a_out),
                 pt(radius - drop, s * (half + tail * 0.55)),
                 pt(ri - drop, a_out), pt(ri - drop, a_in)]
            d = "M" + "L".join(f"{f(x)} {f(y)}" for x, y in p) + "Z"
            self.path(d, fill="#fff", stroke="#000", width=line)
            fold = [pt(ri, s * half), pt(ri - drop, s * half),
                    pt(ro - drop, s * (half - tail * 0.05))]
            d = "M" + "L".join(f"{f(x)} {f(y)}" for x, y in fold) + "Z"
            self.path(d, fill="#000", stroke="#000", width=line * 0.6)
        a0, a1 = -half, half
        po0, po1 = pt(ro, a0), pt(ro, a1)
        pi0, pi1 = pt(ri, a0), pt(ri, a1)
        d = (f"M{f(po0[0])} {f(po0[1])}A{f(ro)} {f(ro)} 0 0 1 {f(po1[0])} "
             f"{f(po1[1])}L{f(pi1[0])} {f(pi1[1])}A{f(ri)} {f(ri)} 0 0 0 "
             f"{f(pi0[0])} {f(pi0[1])}Z")
        self.path(d, fill="#fff", stroke="#000", width=line)
        if text:
            self.letters.append((text, font, size or height * 0.62, cx,
                                 cy, radius))
        return self

    def text(self, text, cx, cy, size, font="bold", radius=0):
        self.letters.append((text, font, size, cx, cy, radius))
        return self

    # ---- rendering -----------------------------------------------------
    def coverage(self, plane=None):
        """Ink coverage 0..1 at SIDE x SIDE (plane: this sheet already drawn
        by render_sheets on white)."""
        if plane is None:
            plane = render_sheets([self], transparent=False)[0]
        a = 1 - plane[..., :3].mean(axis=-1)
        if self.letters:
            a = np.maximum(a, _down(self._letters()))
        return a

    def colour_layer(self, plane=None):
        """The sheet drawn on transparency (for colour designs)."""
        if plane is None:
            plane = render_sheets([self], transparent=True)[0]
        return plane

    def _letters(self):
        k = SS * PX
        size = 512 * k
        out = Image.new("L", (size, size), 0)
        for text, font, pt, cx, cy, radius in self.letters:
            fnt = ImageFont.truetype(FONTS[font], int(pt * k))
            if not radius:
                d = ImageDraw.Draw(out)
                d.text((cx * k, cy * k), text, font=fnt, fill=255,
                       anchor="mm")
                continue
            total = fnt.getlength(text)
            r = radius * k
            pos = -total / 2
            for ch in text:
                wch = fnt.getlength(ch)
                ang = math.degrees((pos + wch / 2) / r)
                pos += wch
                if ch == " ":
                    continue
                tile = Image.new("L", (int(pt * k * 2), int(pt * k * 2)), 0)
                ImageDraw.Draw(tile).text((tile.width / 2, tile.height / 2),
                                          ch, font=fnt, fill=255,
                                          anchor="mm")
                tile = tile.rotate(-ang, resample=Image.BICUBIC)
                x, y = arc_pt(cx * k, (cy + radius) * k, r, ang)
                out.paste(255, (int(round(x - tile.width / 2)),
                                int(round(y - tile.height / 2))), tile)
        return np.asarray(out, np.float32) / 255


def render_sheets(sheets, transparent, per_row=4):
    """Draws many sheets with one rsvg run each 16 sheets (starting the
    renderer costs far more than drawing); returns float RGBA planes."""
    out = []
    n = per_row * per_row
    for k in range(0, len(sheets), n):
        chunk = sheets[k:k + n]
        side = SIDE * SS * per_row
        cells = []
        for i, sh in enumerate(chunk):
            x, y = 512 * (i % per_row), 512 * (i // per_row)
            bg = "" if transparent else \
                '<rect width="512" height="512" fill="#fff"/>'
            cells.append(f'<svg x="{x}" y="{y}" width="512" height="512" '
                         f'viewBox="0 0 512 512" overflow="hidden">{bg}'
                         + "".join(sh.parts) + "</svg>")
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" '
               f'width="{512 * per_row}" height="{512 * per_row}" '
               f'viewBox="0 0 {512 * per_row} {512 * per_row}">' +
               "".join(cells) + "</svg>")
        big = np.asarray(rsvg(svg, side), np.float32) / 255
        for i in range(len(chunk)):
            x, y = SIDE * SS * (i % per_row), SIDE * SS * (i // per_row)
            cell = big[y:y + SIDE * SS, x:x + SIDE * SS]
            out.append(np.stack([_down(cell[..., c]) for c in range(4)], -1))
    return out


def _down(a):
    """Box-filters a supersampled plane down to SIDE."""
    h, w = a.shape
    return a.reshape(h // SS, SS, w // SS, SS).mean(axis=(1, 3))


def ink_rgba(cov, rng, strength=0.96, colour=INK):
    """Coverage to an RGBA tattoo picture: soft edges, uneven ink."""
    a = small_blur(np.clip(cov, 0, 1), 0.55 * PX)
    grain = value_noise(rng, SIDE, SIDE, 6 * PX) * 0.5 + value_noise(
        rng, SIDE, SIDE, 40 * PX) * 0.5
    a = a * (strength + 0.04 * grain)
    rgba = np.zeros((SIDE, SIDE, 4), np.float32)
    rgba[..., :3] = np.array(colour, np.float32) / 255
    rgba[..., 3] = np.clip(a, 0, 1)
    return rgba


def outline_colour(layer, rng, outline=11, ink=INK):
    """Colour flash: the colour layer over a bold black outline."""
    a = layer[..., 3]
    grown = small_blur((a > 0.35).astype(np.float32), outline * 0.6 * PX)
    grown = np.clip((grown - 0.08) * 6, 0, 1)
    # grow a little more with a wider pass so the line stays even
    base = np.zeros_like(layer)
    base[..., :3] = np.array(ink, np.float32) / 255
    base[..., 3] = np.maximum(grown, a)
    col = layer[..., :3] * 0.92 + 0.02  # flash colours a touch flatter
    out = base.copy()
    out[..., :3] = col * a[..., None] + base[..., :3] * (1 - a[..., None])
    out[..., 3] = np.maximum(base[..., 3], a) * 0.97
    out[..., 3] = small_blur(out[..., 3], 0.5 * PX)
    return out
