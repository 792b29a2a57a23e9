"""The main window's skin (MAIN_FORM) and the two logo pictures that sit on it."""
import numpy as np
from PIL import Image, ImageDraw

from vm_lib import (svg_image, mdi_group, font, caps_label, draw_text, text_width, noise_field, hexc,
                    INK, BRASS, BRASS_DIM)
from vm_layout import W, H, LOGO, LOGO_BITMAP, CANVAS, CATALOG_BOX, GALLERY_SLOTS
from vm_emblem import emblem

LEFT_CARD = (126, 92, 399, 645)      # x0, y0, x1, y1 (inclusive edges)
RIGHT_CARD = (405, 31, 845, 645)
SIDE_CARD = (5, 114, 121, 645)
BRUSH_BOX = (285, 213, 315, 239)
NAME_PLATE = (230, 345, 343, 366)

CARD_TOP = "#25201e"
CARD_BOTTOM = "#1e1a18"
CARD_LINE = "#3b332d"
WELL = "#141110"
WELL_LINE = "#463b32"


def _rrect(x0, y0, x1, y1, r, fill, stroke=None, sw=1.0):
    # Edges are pixel-inclusive; a 1 px stroke is centred on the pixel row.
    s = ' stroke="%s" stroke-width="%.2f"' % (stroke, sw) if stroke else ""
    return ('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="%.1f"%s fill="%s"/>'
            % (x0 + 0.5, y0 + 0.5, x1 - x0, y1 - y0, r, s, fill))


def _card(box, uid):
    x0, y0, x1, y1 = box
    return ('<defs><linearGradient id="c%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient></defs>'
            % (uid, CARD_TOP, CARD_BOTTOM)
            + _rrect(x0, y0, x1, y1, 9, "url(#c%s)" % uid, CARD_LINE)
            + '<path d="M%.1f %.1f H%.1f" stroke="#ffffff" stroke-opacity="0.05"/>' % (x0 + 9, y0 + 1.5, x1 - 8))


def _canvas_frame():
    x, y, w, h = CANVAS
    x0, y0, x1, y1 = x - 1, y - 1, x + w, y + h
    parts = [_rrect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 2, "#0d0b0a", "#54463a"),
             _rrect(x0, y0, x1, y1, 0, "#000000", "#0a0808")]
    ln = 14
    for cx, cy, dx, dy in ((x0 - 4, y0 - 4, 1, 1), (x1 + 4, y0 - 4, -1, 1),
                           (x0 - 4, y1 + 4, 1, -1), (x1 + 4, y1 + 4, -1, -1)):
        px, py = cx + 0.5, cy + 0.5
        parts.append('<path d="M%.1f %.1f V%.1f H%.1f" fill="none" stroke="%s" stroke-width="1.6"/>'
                     % (px, py + dy * ln, py, px + dx * ln, hexc(BRASS)))
    return "".join(parts)


def _wells():
    parts = []
    x, y, w, h = CATALOG_BOX
    parts.append(_rrect(x - 1, y - 1, x + w, y + h, 2, WELL, WELL_LINE))
    for (gx, gy, gw, gh) in GALLERY_SLOTS:
        parts.append(_rrect(gx - 1, gy - 1, gx + gw, gy + gh, 2, WELL, WELL_LINE))
        parts.append(mdi_group("image-outline", gx + gw / 2 - 11, gy + gh / 2 - 11, 22, "#2a2421"))
    bx0, by0, bx1, by1 = BRUSH_BOX
    parts.append(_rrect(bx0, by0, bx1, by1, 3, "#ffffff", hexc(BRASS_DIM)))
    nx0, ny0, nx1, ny1 = NAME_PLATE
    parts.append('<defs><linearGradient id="plate" x1="0" y1="0" x2="0" y2="1">'
                 '<stop offset="0" stop-color="#eedcae"/><stop offset="0.5" stop-color="#d9bd80"/>'
                 '<stop offset="1" stop-color="#c4a263"/></linearGradient></defs>')
    parts.append(_rrect(nx0, ny0, nx1, ny1, 3, "url(#plate)", "#7c6036"))
    for sx in (nx0 + 4.5, nx1 - 3.5):
        parts.append('<circle cx="%.1f" cy="%.1f" r="1.3" fill="#8d6f40"/>' % (sx, (ny0 + ny1) / 2 + 0.5))
    return "".join(parts)


def _shapes():
    body = [_card(LEFT_CARD, "l"), _card(RIGHT_CARD, "r"), _card(SIDE_CARD, "s"), _wells(), _canvas_frame()]
    # A thin rule between the file commands and the reading-matter buttons.
    body.append('<path d="M322.5 50 V74" stroke="%s" stroke-width="1"/>' % CARD_LINE)
    # Window edge: a dark outline with a faint inner light line.
    body.append('<rect x="0.5" y="0.5" width="849" height="649" fill="none" stroke="#070606"/>')
    body.append('<rect x="1.5" y="1.5" width="847" height="647" fill="none" stroke="#3a322b" stroke-opacity="0.8"/>')
    return svg_image("".join(body), W, H)


def _background():
    yy = np.linspace(0.0, 1.0, H)[:, None]
    xx = np.linspace(0.0, 1.0, W)[None, :]
    glow = 7.0 * np.exp(-((xx - 0.18) ** 2 * 3.0 + (yy - 0.0) ** 2 * 4.0))
    base = np.zeros((H, W, 3))
    for c in range(3):
        base[:, :, c] = INK[c] + glow * (1.0, 0.8, 0.65)[c] - 4.0 * yy
    return base


def _grain(img, seed, amp):
    arr = np.asarray(img.convert("RGB")).astype(np.float64)
    n = noise_field(W, H, seed, amp)
    arr += n[:, :, None]
    return Image.fromarray(np.clip(np.round(arr), 0, 255).astype(np.uint8), "RGB")


def _rule(draw, x0, x1, y, colour=(64, 55, 47)):
    draw.line([(x0, y), (x1, y)], fill=colour, width=1)


def _caption(draw, x, y, text, rule_to=None):
    w = caps_label(draw, x, y, text, 9, BRASS_DIM, spacing=1.6)
    if rule_to:
        _rule(draw, int(x + w + 6), rule_to, y - 3)


def _gradient_text(img, xy, text, fnt, top, bottom, spacing=0):
    """Text filled with a vertical colour gradient (the brass title)."""
    mask = Image.new("L", img.size, 0)
    md = ImageDraw.Draw(mask)
    draw_text(md, xy, text, fnt, 255, spacing)
    box = mask.getbbox()
    grad = Image.new("RGB", img.size, top)
    gd = ImageDraw.Draw(grad)
    y0, y1 = box[1], box[3]
    for y in range(y0, y1):
        t = (y - y0) / max(1, y1 - y0 - 1)
        gd.line([(0, y), (img.size[0], y)], fill=tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom)))
    img.paste(grad, (0, 0), mask)


def _texts(img):
    d = ImageDraw.Draw(img)
    # Title and tag line.
    _gradient_text(img, (153, 37), "Velmora", font("serif", 38), (246, 220, 160), (176, 134, 70))
    caps_label(d, 412, 23, "TRY A TATTOO BEFORE YOU INK IT", 8, (120, 100, 74), spacing=2.2)
    # Tool group captions under the rows.
    _caption(d, 138, 139, "PHOTO", 393)
    _caption(d, 138, 189, "TATTOO", 393)
    _caption(d, 138, 251, "DRAW", 393)
    caps_label(d, 321, 224, "BRUSH", 8, BRASS_DIM, spacing=1.4)
    caps_label(d, 321, 234, "SIZE", 8, BRASS_DIM, spacing=1.4)
    _rule(d, 137, 393, 307)
    caps_label(d, 193, 333, "PHOTO GALLERY", 9, BRASS_DIM, spacing=1.6)
    # Vertical label of the gallery strip.
    _vertical_caption(img, 418, 87, "GALLERY")
    star = svg_image(_nautical_star(826, 60, 9), W, H)
    img.paste(star, (0, 0), star)
    _side_panel(img)


def _vertical_caption(img, x, y_bottom, text):
    fnt = font("sans-cond-bold", 9)
    w = int(text_width(fnt, text, 1.8)) + 2
    tile = Image.new("RGBA", (w, 12), (0, 0, 0, 0))
    draw_text(ImageDraw.Draw(tile), (0, 9), text, fnt, BRASS_DIM + (255,), 1.8)
    rot = tile.transpose(Image.Transpose.ROTATE_90)
    img.paste(rot, (x, y_bottom - rot.size[1]), rot)


def _side_panel(img):
    """The narrow left card: a spine of star, name set vertically and rules."""
    x0, y0, x1, y1 = SIDE_CARD
    cx = (x0 + x1) // 2
    star_y = y0 + 38
    star = svg_image(_nautical_star(cx + 0.5, star_y, 18), W, H)
    img.paste(star, (0, 0), star)
    fnt = font("serif-italic", 58)
    text = "Velmora"
    w = int(fnt.getlength(text)) + 8
    tile = Image.new("RGBA", (w, 80), (0, 0, 0, 0))
    ImageDraw.Draw(tile).text((4, 60), text, font=fnt, fill=(54, 46, 40, 255), anchor="ls")
    rot = tile.transpose(Image.Transpose.ROTATE_90)
    mid = (star_y + 24 + y1 - 30) // 2
    top = mid - w // 2
    img.paste(rot, (cx - 47, top), rot)
    fnt2 = font("sans-cond-bold", 8)
    line = "TATTOO  TRY-ON  STUDIO"
    w2 = int(text_width(fnt2, line, 2.0)) + 2
    tile2 = Image.new("RGBA", (w2, 11), (0, 0, 0, 0))
    draw_text(ImageDraw.Draw(tile2), (0, 8), line, fnt2, (112, 94, 70, 255), 2.0)
    rot2 = tile2.transpose(Image.Transpose.ROTATE_90)
    img.paste(rot2, (cx + 22, mid - w2 // 2), rot2)
    d = ImageDraw.Draw(img)
    rule = (70, 60, 51)
    d.line([(cx, star_y + 26), (cx, top - 10)], fill=rule)
    d.line([(cx, top + w + 10), (cx, y1 - 28)], fill=rule)
    dia = svg_image('<polygon points="%d,%d %d,%d %d,%d %d,%d" fill="%s"/>'
                    % (cx, y1 - 24, cx + 4, y1 - 20, cx, y1 - 16, cx - 4, y1 - 20, hexc(BRASS_DIM)), W, H)
    img.paste(dia, (0, 0), dia)


def _nautical_star(cx, cy, r):
    """A five-pointed nautical star with light and dark halves, flash style."""
    from math import sin, cos, pi
    inner = r * 0.42
    parts = []
    for i in range(5):
        a = -pi / 2 + i * 2 * pi / 5
        tip = (cx + r * cos(a), cy + r * sin(a))
        left = (cx + inner * cos(a - pi / 5), cy + inner * sin(a - pi / 5))
        right = (cx + inner * cos(a + pi / 5), cy + inner * sin(a + pi / 5))
        parts.append('<polygon points="%.2f,%.2f %.2f,%.2f %.2f,%.2f" fill="%s"/>'
                     % (cx, cy, tip[0], tip[1], left[0], left[1], "#7a2022"))
        parts.append('<polygon points="%.2f,%.2f %.2f,%.2f %.2f,%.2f" fill="%s"/>'
                     % (cx, cy, tip[0], tip[1], right[0], right[1], hexc(BRASS_DIM)))
    pts = []
    for i in range(10):
        a = -pi / 2 + i * pi / 5
        rad = r if i % 2 == 0 else inner
        pts.append("%.2f,%.2f" % (cx + rad * cos(a), cy + rad * sin(a)))
    parts.append('<polygon points="%s" fill="none" stroke="#1a1615" stroke-width="0.8"/>' % " ".join(pts))
    return "".join(parts)


def skin_without_logo():
    base = Image.fromarray(np.clip(np.round(_background()), 0, 255).astype(np.uint8), "RGB").convert("RGBA")
    base.alpha_composite(_shapes())
    img = _grain(base, 1907, 1.1)
    _texts(img)
    return img


def logo_picture(bg, style):
    """The emblem over the skin's logo area: 113 x 102, drawn at (29, 10)."""
    x, y, _, _ = LOGO
    bw, bh = LOGO_BITMAP
    crop = bg.crop((x, y, x + bw, y + bh)).convert("RGBA")
    cx, cy = 56.5, 48.5
    if style == "lit":
        halo = svg_image('<defs><radialGradient id="h"><stop offset="0.86" stop-color="#e0b060" stop-opacity="0.5"/>'
                         '<stop offset="1" stop-color="#d8a65a" stop-opacity="0"/></radialGradient></defs>'
                         '<circle cx="%.1f" cy="%.1f" r="48.5" fill="url(#h)"/>' % (cx, cy), bw, bh)
        crop.alpha_composite(halo)
    crop.alpha_composite(svg_image(emblem(cx, cy, 46.5, style, uid="lg"), bw, bh))
    return crop.convert("RGB")


def make(save_bmp):
    bg = skin_without_logo()
    rest = logo_picture(bg, "rest")
    skin = bg.convert("RGB")
    skin.paste(rest.crop((0, 0, LOGO[2] - 1, LOGO[3])), (LOGO[0], LOGO[1]))
    save_bmp(skin, "MAIN_FORM")
    save_bmp(logo_picture(bg, "lit"), "LOGO_LIGHT")
    return skin
