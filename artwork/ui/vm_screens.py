"""The two information screens, SCREEN_HISTORY and SCREEN_HIGIENA: a page of
text set in two justified columns on a parchment sheet."""
import os

import numpy as np
from PIL import Image, ImageDraw

from vm_lib import svg_image, mdi_group, font, caps_label, noise_field, HERE
from vm_layout import W, H

INK_TEXT = (43, 33, 28)
RUBRIC = (138, 28, 32)
SHEET = (24, 22, 826, 628)
COLUMNS = [(62, 410), (440, 788)]
TOP, BOTTOM = 128, 598


def read_page(name):
    with open(os.path.join(HERE, "text", name + ".txt"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    title = lines[0][2:]
    items = []
    for line in lines[1:]:
        if line.startswith("## "):
            items.append(("h", line[3:]))
        elif line.strip():
            items.append(("p", line.strip()))
    return title, items


def break_lines(words, fnt, width):
    """Line breaks that keep the word gaps even: the sum of squared slack over
    all lines but the last is made as small as possible."""
    n = len(words)
    lens = [fnt.getlength(w) for w in words]
    space = fnt.getlength(" ")
    best = [0.0] + [float("inf")] * n
    prev = [0] * (n + 1)
    for j in range(1, n + 1):
        natural = -space
        for i in range(j - 1, -1, -1):
            natural += lens[i] + space
            if natural > width and i < j - 1:
                break
            slack = width - natural
            cost = 0.0 if j == n else slack * slack
            if best[i] + cost < best[j]:
                best[j], prev[j] = best[i] + cost, i
    lines, j = [], n
    while j > 0:
        lines.append(words[prev[j]:j])
        j = prev[j]
    return lines[::-1]


def draw_justified(draw, x, y, words, fnt, width, last):
    natural = sum(fnt.getlength(w) for w in words)
    gaps = len(words) - 1
    space = fnt.getlength(" ")
    gap = space if last or gaps == 0 else (width - natural) / gaps
    for w in words:
        draw.text((round(x), y), w, font=fnt, fill=INK_TEXT, anchor="ls")
        x += fnt.getlength(w) + gap


def layout(items, size, draw=None):
    """Flows the page into the columns; returns False when it does not fit."""
    body = font("serif", size)
    lead = round(size * 1.27)
    col, y = 0, TOP
    for kind, text in items:
        x0, x1 = COLUMNS[col]
        if kind == "h":
            gap = round(lead * 0.45) if y != TOP else 0
            if y + gap + 18 + lead * 2 > BOTTOM:
                col, y, gap = col + 1, TOP, 0
                if col >= len(COLUMNS):
                    return False
            y += gap
            if draw:
                caps_label(draw, COLUMNS[col][0], y + 12, text.upper(), 11, RUBRIC, spacing=1.5)
            y += 21
            continue
        lines = break_lines(text.split(), body, x1 - x0)
        for i, words in enumerate(lines):
            if y + lead > BOTTOM:
                col, y = col + 1, TOP
                if col >= len(COLUMNS):
                    return False
            x0, x1 = COLUMNS[col]
            if draw:
                draw_justified(draw, x0, y + lead - 5, words, body, x1 - x0, i == len(lines) - 1)
            y += lead
        y += round(lead * 0.2)
    return (col, y)


def _sheet():
    bg = np.zeros((H, W, 3))
    bg[:] = (22, 19, 18)
    x0, y0, x1, y1 = SHEET
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float64)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = np.sqrt(((xx - cx) / ((x1 - x0) / 2)) ** 2 + ((yy - cy) / ((y1 - y0) / 2)) ** 2)
    paper = np.array([238, 229, 210], dtype=np.float64)
    tone = 1.0 - 0.07 * np.clip(r - 0.55, 0, 1) ** 1.5
    grain = noise_field(W, H, 2024, 2.2)
    inside = (xx >= x0) & (xx <= x1) & (yy >= y0) & (yy <= y1)
    for c in range(3):
        bg[:, :, c] = np.where(inside, paper[c] * tone + grain, bg[:, :, c] + grain * 0.5)
    img = Image.fromarray(np.clip(np.round(bg), 0, 255).astype(np.uint8), "RGB").convert("RGBA")
    frame = ('<rect x="%g" y="%g" width="%g" height="%g" fill="none" stroke="#b08a55" stroke-width="1"/>'
             '<rect x="%g" y="%g" width="%g" height="%g" fill="none" stroke="#b08a55" stroke-width="0.8"/>'
             % (x0 + 5.5, y0 + 5.5, x1 - x0 - 11, y1 - y0 - 11, x0 + 8.5, y0 + 8.5, x1 - x0 - 17, y1 - y0 - 17))
    img.alpha_composite(svg_image(frame, W, H))
    return img


def _ornament(cx, y):
    """A red rule with a diamond in the middle, under the heading."""
    return ('<path d="M%g %g H%g M%g %g H%g" stroke="#8a1c20" stroke-width="1.2"/>'
            '<polygon points="%g,%g %g,%g %g,%g %g,%g" fill="#8a1c20"/>'
            % (cx - 150, y, cx - 12, cx + 12, y, cx + 150, cx, y - 5, cx + 6, y, cx, y + 5, cx - 6, y))


def screen(name, icon_name):
    title, items = read_page(name)
    img = _sheet()
    cx = W / 2
    tf = font("serif", 42)
    tw = tf.getlength(title)
    deco = mdi_group(icon_name, cx - tw / 2 - 44, 52, 30, "#8a1c20")
    img.alpha_composite(svg_image(_ornament(cx, 106) + deco, W, H))
    d = ImageDraw.Draw(img)
    d.text((cx - tw / 2 + 8, 86), title, font=tf, fill=(40, 28, 24), anchor="ls")
    # Column rule.
    d.line([(425, TOP + 4), (425, BOTTOM - 4)], fill=(200, 180, 146))
    size = 17
    while not layout(items, size):
        size -= 1
    layout(items, size, d)
    caps_label(d, cx, 614, "CLICK ANYWHERE TO CLOSE", 10, (128, 96, 62), spacing=2.4, align="center")
    return img.convert("RGB"), size


def make(save_bmp):
    sizes = {}
    for res, name, icon_name in (("SCREEN_HISTORY", "history", "book-open-variant"),
                                 ("SCREEN_HIGIENA", "hygiene", "hand-water")):
        img, size = screen(name, icon_name)
        save_bmp(img, res)
        sizes[res] = size
    return sizes
