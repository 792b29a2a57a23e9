"""Previews for checking the artwork by eye: the skin with every button in
its place, in a chosen state, enlarged crops, and the cursors on light and dark."""
import os
from PIL import Image

from vm_layout import BUTTONS, SWATCHES


def composite(skin, made, state, lit=(8,), chosen=1, hover=None):
    img = skin.copy()
    for spec in BUTTONS:
        idx, prefix, _, x, y = spec[:5]
        s = state
        if idx in lit:
            s = "O"
        elif hover == idx:
            s = "H"
        img.paste(made[prefix + s], (x, y))
    for spec in SWATCHES:
        n, _, x, y = spec[:4]
        img.paste(made["COL_%d%s" % (n, "_P" if n == chosen else "_N")], (x, y))
    return img


def write(skin, made, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    composite(skin, made, "F").save(os.path.join(out_dir, "preview_normal.png"))
    composite(skin, made, "H", lit=()).save(os.path.join(out_dir, "preview_hover.png"))
    composite(skin, made, "O", lit=(), chosen=5).save(os.path.join(out_dir, "preview_pressed.png"))
    base = composite(skin, made, "F", lit=(1,), chosen=3, hover=2)
    base.crop((120, 0, 420, 380)).resize((900, 1140), Image.NEAREST).save(os.path.join(out_dir, "zoom_left.png"))
    base.crop((400, 0, 850, 130)).resize((1350, 390), Image.NEAREST).save(os.path.join(out_dir, "zoom_top.png"))


def cursor_sheet(cursors, out_dir):
    names = list(cursors)
    sheet = Image.new("RGBA", (len(names) * 30, 60), (0, 0, 0, 255))
    for i, n in enumerate(names):
        for row, ground in enumerate(((226, 196, 168, 255), (20, 18, 17, 255))):
            cell = Image.new("RGBA", (30, 30), ground)
            cell.alpha_composite(cursors[n], (3, 3))
            sheet.paste(cell, (i * 30, row * 30))
    sheet.resize((sheet.width * 3, sheet.height * 3), Image.NEAREST).save(os.path.join(out_dir, "cursors.png"))
