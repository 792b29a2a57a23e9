"""Writes the tattoo catalog: data/data.ini, one folder per group with its
data.ini, and per design a 1024 x 1024 RGBA PNG and a JPEG miniature. The
design's box in data.ini stays on the 512 scale the program cuts it out by."""
import math
import os
from concurrent.futures import ThreadPoolExecutor

import numpy as np
from PIL import Image

from . import designs, ink
from .imaging import to_u8

MINI_W, MINI_H = 253, 269
MINI_BG = (239, 236, 231)
MARGIN = 6


def _centre(rgba):
    """Moves the design so its bounding box is centred on the picture;
    returns it with its box on the 512 scale."""
    side, mid = ink.SIDE, ink.SIDE // 2
    a = rgba[..., 3]
    ys, xs = np.nonzero(a > 1.5 / 255)
    x0, x1, y0, y1 = xs.min(), xs.max() + 1, ys.min(), ys.max() + 1
    dx = int(round(mid - (x0 + x1) / 2))
    dy = int(round(mid - (y0 + y1) / 2))
    out = np.zeros_like(rgba)
    sx0, sx1 = max(0, -dx), min(side, side - dx)
    sy0, sy1 = max(0, -dy), min(side, side - dy)
    out[sy0 + dy:sy1 + dy, sx0 + dx:sx1 + dx] = rgba[sy0:sy1, sx0:sx1]
    ys, xs = np.nonzero(out[..., 3] > 1.5 / 255)
    half_w = math.ceil(max(mid - xs.min(), xs.max() + 1 - mid) / ink.PX)
    half_h = math.ceil(max(mid - ys.min(), ys.max() + 1 - mid) / ink.PX)
    w = min(512, 2 * (half_w + MARGIN))
    h = min(512, 2 * (half_h + MARGIN))
    return out, w, h


def _clear_edges(rgba):
    """Colour under fully transparent pixels is meaningless: make it ink so
    mipmaps of the texture never bleed a stray colour into the edges."""
    a = rgba[..., 3:4]
    base = np.array(ink.INK, np.float32) / 255
    rgba[..., :3] = np.where(a > 0, rgba[..., :3], base)
    return rgba


def _half_size(rgba):
    """The picture box-filtered to 512 pixels a side, its colour weighted by
    its ink, so the miniature is made as it always was."""
    k = ink.PX
    n = rgba.shape[0] // k
    a = rgba[..., 3:4]
    blocks = lambda v: v.reshape(n, k, n, k, v.shape[-1]).mean(axis=(1, 3))
    alpha = blocks(a)
    colour = blocks(rgba[..., :3] * a) / np.maximum(alpha, 1e-6)
    base = np.array(ink.INK, np.float32) / 255
    colour = np.where(alpha > 0, colour, base)
    return np.concatenate([colour, alpha], -1)


def miniature(rgba, w, h):
    """The design's box scaled into a light 253 x 269 card."""
    img = Image.fromarray(to_u8(_half_size(rgba)), "RGBA")
    box = img.crop((256 - w // 2, 256 - h // 2, 256 + w // 2, 256 + h // 2))
    k = min((MINI_W - 24) / w, (MINI_H - 24) / h)
    size = (max(1, round(w * k)), max(1, round(h * k)))
    box = box.resize(size, Image.LANCZOS)
    card = Image.new("RGB", (MINI_W, MINI_H), MINI_BG)
    card.paste(box, ((MINI_W - size[0]) // 2, (MINI_H - size[1]) // 2), box)
    return card


def _over(top, bottom):
    a = top[..., 3:4]
    out = bottom.copy()
    out[..., :3] = top[..., :3] * a + bottom[..., :3] * (1 - a)
    out[..., 3] = np.maximum(top[..., 3], bottom[..., 3])
    return out


def _layers(made):
    """The sheets of one made design: (sheet, drawn on transparency).
    Sheets laid over a colour design are drawn on transparency too, so
    their white fills can hide the colour behind them."""
    if isinstance(made, tuple):
        _, col, under, over = made
        out = [(col, True)]
        if under is not None:
            out.append((under, False))
        if over is not None:
            out.append((over, True))
        return out
    return [(made, False)]


def finish(made, planes, rng):
    """Turns a made design and its drawn planes into float RGBA."""
    if not isinstance(made, tuple):
        return ink.ink_rgba(made.coverage(planes[0]), rng)
    _, col, under, over = made
    rgba = ink.outline_colour(col.colour_layer(planes[0]), rng)
    k = 1
    if under is not None:
        rgba = _over(rgba, ink.ink_rgba(under.coverage(planes[k]), rng))
        k += 1
    if over is not None:
        plane = planes[k]
        shape = plane[..., 3]
        rgba[..., 3] *= 1 - shape  # the banner hides what lies behind it
        white = np.ones_like(plane)
        white[..., :3] = plane[..., :3] * shape[..., None] + (1 - shape[
            ..., None])
        rgba = _over(ink.ink_rgba(over.coverage(white), rng), rgba)
    return rgba


def render_all(jobs):
    """jobs: (key, recipe, rng).  Returns [(key, rgba, icons)] in order."""
    made = [(key, recipe(rng), rng) for key, recipe, rng in jobs]
    wanted = {True: [], False: []}
    for _, m, _ in made:
        for sheet, transp in _layers(m):
            wanted[transp].append(sheet)
    drawn = {}
    for transp, sheets in wanted.items():
        for sheet, plane in zip(sheets, ink.render_sheets(sheets, transp)):
            drawn[id(sheet)] = plane
    out = []
    for key, m, rng in made:
        layers = _layers(m)
        planes = [drawn[id(sh)] for sh, _ in layers]
        icons = [ic for sh, _ in layers for ic in sh.icons]
        out.append((key, finish(m, planes, rng), icons))
    return out


def _write(item):
    """Centres one design and writes its picture and miniature."""
    folder, name, rgba = item
    rgba, w, h = _centre(rgba)
    rgba = _clear_edges(rgba)
    save_png(Image.fromarray(to_u8(rgba), "RGBA"),
             os.path.join(folder, name + ".png"))
    miniature(rgba, w, h).save(os.path.join(folder, name + ".jpg"),
                               quality=90)
    return w, h


def write_ini(path, sections):
    lines = []
    for name, items in sections:
        lines.append(f"[{name}]")
        lines += [f"{k}={v}" for k, v in items]
        lines.append("")
    with open(path, "w", encoding="ascii", newline="\n") as fh:
        fh.write("\n".join(lines))


def save_png(img, path):
    img.save(path, format="PNG", optimize=False, compress_level=6)


def build(root, rng_for):
    """Writes root/data; returns {group: [(name, w, h)]} and icons used."""
    data = os.path.join(root, "data")
    os.makedirs(data, exist_ok=True)
    jobs = []
    for gname, maker in designs.GROUPS:
        os.makedirs(os.path.join(data, gname), exist_ok=True)
        for name, recipe in maker():
            key = gname + "/" + name
            jobs.append(((gname, name), recipe, rng_for(key)))
    made = render_all(jobs)
    items = [(os.path.join(data, g, n), n, rgba) for (g, n), rgba, _ in made]
    items = [(os.path.dirname(p), n, rgba) for p, n, rgba in items]
    with ThreadPoolExecutor(max_workers=2) as pool:
        sizes = list(pool.map(_write, items))
    used = [ic for _, _, icons in made for ic in icons]
    listing = {}
    for ((gname, name), _, _), (w, h) in zip(made, sizes):
        listing.setdefault(gname, []).append((name, w, h))
    for gname, entries in listing.items():
        pics = []
        for i, (name, w, h) in enumerate(entries, 1):
            pics += [(f"pic{i}", name), (f"pic{i}w", w), (f"pic{i}h", h)]
        write_ini(os.path.join(data, gname, "data.ini"),
                  [("data", [("NbPics", len(entries))]), ("pics", pics)])
    write_ini(os.path.join(data, "data.ini"),
              [("data", [("NbGroups", len(designs.GROUPS))]),
               ("groups", [(f"group{i}", g) for i, (g, _) in
                           enumerate(designs.GROUPS, 1)])])
    return listing, sorted(set(used))
