"""The three pictures of every skinned button and the colour swatches, each
painted over the piece of skin it covers so that it sits seamlessly."""
from PIL import ImageDraw

from vm_lib import svg_image, mdi_group, font, text_width, draw_text, hexc
from vm_layout import BUTTONS, SWATCHES

# Tile looks: fill top, fill bottom, edge, icon colour, top light opacity.
LOOKS = {
    "F": ("#38302b", "#28221f", "#4d4239", "#dccdb4", 0.07),
    "H": ("#54463a", "#3a3029", "#c9a263", "#f6d99c", 0.10),
    "O": ("#6c161a", "#a0272a", "#d46a58", "#fff4e8", 0.0),
}
WINDOW_LOOKS = {
    "F": ("#2b2522", "#231e1c", "#463c34", "#bfb09a", 0.05),
    "H": ("#54463a", "#3a3029", "#c9a263", "#f6d99c", 0.10),
    "O": ("#6c161a", "#a0272a", "#d46a58", "#fff4e8", 0.0),
}
CLOSE_HOVER = ("#c0302f", "#96201f", "#e27a68", "#ffffff", 0.12)

ICON_SIZE = {"tool": 18, "file": 19, "small": 16, "info": 12, "window": 11, "label": 11}
RADIUS = {"tool": 4, "file": 4, "small": 4, "info": 3, "window": 3, "label": 4}


def tile_svg(w, h, look, radius, uid):
    top, bottom, edge, _, light = look
    parts = ['<defs><linearGradient id="g%s" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient></defs>'
             % (uid, top, bottom),
             '<rect x="0.5" y="0.5" width="%g" height="%g" rx="%g" fill="url(#g%s)" stroke="%s"/>'
             % (w - 1, h - 1, radius, uid, edge)]
    if light > 0:
        parts.append('<path d="M%g 1.5 H%g" stroke="#ffffff" stroke-opacity="%g"/>' % (radius, w - radius, light))
    else:
        # Pressed: a soft shadow inside the top edge makes the tile look sunk.
        parts.append('<path d="M%g 1.6 H%g" stroke="#000000" stroke-opacity="0.35" stroke-width="1.2"/>'
                     % (radius - 1, w - radius + 1))
    return "".join(parts)


def button_picture(skin, spec, state):
    index, prefix, _, x, y, w, h, style, icon_name = spec
    look = (WINDOW_LOOKS if style == "window" else LOOKS)[state]
    if prefix == "BUTT_CLOSE_" and state == "H":
        look = CLOSE_HOVER
    body = [tile_svg(w, h, look, RADIUS[style], "b")]
    size = ICON_SIZE[style]
    if style == "label":
        ix, iy = w - size - 5, (h - size) / 2
    else:
        ix, iy = (w - size) / 2, (h - size) / 2
    if state == "O" and style != "window":
        iy += 0.5
    body.append(mdi_group(icon_name, ix, iy, size, look[3]))
    tile = svg_image("".join(body), w, h)
    if style == "label":
        d = ImageDraw.Draw(tile)
        fnt = font("sans-cond-bold", 9)
        text = "NEXT GROUP"
        tw = text_width(fnt, text, 0.9)
        tx = round((ix - 2 - tw) / 2) + 1
        draw_text(d, (tx, 15 + (1 if state == "O" else 0)), text, fnt, look[3], 0.9)
    pic = skin.crop((x, y, x + w, y + h)).convert("RGBA")
    pic.alpha_composite(tile)
    return pic.convert("RGB")


def swatch_picture(skin, spec, chosen):
    n, _, x, y, w, h, rgb = spec
    colour = hexc(rgb)
    if chosen:
        frame = ('<rect x="1" y="1" width="%g" height="%g" rx="4" fill="#2a2320" stroke="%s" stroke-width="2"/>'
                 % (w - 2, h - 2, "#e6bd6c"))
        chip = (4, 4, w - 8, h - 8)
    else:
        frame = ('<rect x="0.5" y="0.5" width="%g" height="%g" rx="4" fill="#28221f" stroke="#3f362f"/>'
                 % (w - 1, h - 1))
        chip = (4, 4, w - 8, h - 8)
    cx, cy, cw, ch = chip
    body = [frame,
            '<rect x="%g" y="%g" width="%g" height="%g" rx="2" fill="%s" stroke="#6b5d50" stroke-width="1"/>'
            % (cx + 0.5, cy + 0.5, cw - 1, ch - 1, colour),
            '<path d="M%g %g H%g" stroke="#ffffff" stroke-opacity="0.28"/>' % (cx + 2, cy + 1.5, cx + cw - 2)]
    if chosen:
        lum = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]
        mark = "#141414" if lum > 120 else "#ffffff"
        body.append(mdi_group("check-bold", (w - 13) / 2, (h - 13) / 2, 13, mark))
    tile = svg_image("".join(body), w, h)
    pic = skin.crop((x, y, x + w, y + h)).convert("RGBA")
    pic.alpha_composite(tile)
    return pic.convert("RGB")


def make(skin, save_bmp):
    """Writes every button and swatch picture; returns them for the previews."""
    made = {}
    for spec in BUTTONS:
        prefix = spec[1]
        for state in ("O", "F", "H"):
            pic = button_picture(skin, spec, state)
            save_bmp(pic, prefix + state)
            made[prefix + state] = pic
    for spec in SWATCHES:
        for chosen, suffix in ((True, "_P"), (False, "_N")):
            pic = swatch_picture(skin, spec, chosen)
            name = "COL_%d%s" % (spec[0], suffix)
            save_bmp(pic, name)
            made[name] = pic
    return made
