#!/usr/bin/python3
"""Makes the interface artwork of Velmora.

    make_ui.py pictures [--preview DIR]   skin, buttons, swatches, cursors, logos,
                                          canvas background, welcome picture, icon,
                                          information screens
    make_ui.py docs                       help page with its pictures, licence texts

Everything is drawn from fixed inputs and fixed seeds, so two runs write the
same bytes."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import vm_lib  # noqa: E402
from vm_layout import BUTTONS, SWATCHES, CANVAS  # noqa: E402


def pictures(preview_dir):
    import vm_skin
    import vm_buttons
    import vm_cursors
    import vm_pictures
    import vm_screens
    os.makedirs(vm_lib.RES, exist_ok=True)
    skin = vm_skin.make(vm_lib.save_bmp)
    made = vm_buttons.make(skin, vm_lib.save_bmp)
    cursors = vm_cursors.make()
    vm_pictures.make(vm_lib.save_bmp)
    sizes = vm_screens.make(vm_lib.save_bmp)
    for name, size in sizes.items():
        print("  %s set in %d px" % (name, size))
    if preview_dir:
        import vm_preview
        vm_preview.write(skin, made, preview_dir)
        vm_preview.cursor_sheet(cursors, preview_dir)
        print("  previews in %s" % preview_dir)


def load_made():
    """The button and swatch pictures as written to resources/."""
    made = {}
    for spec in BUTTONS:
        for state in "OFH":
            made[spec[1] + state] = Image.open(os.path.join(vm_lib.RES, spec[1] + state + ".bmp")).convert("RGB")
    for spec in SWATCHES:
        for suffix in ("_P", "_N"):
            name = "COL_%d%s" % (spec[0], suffix)
            made[name] = Image.open(os.path.join(vm_lib.RES, name + ".bmp")).convert("RGB")
    return made


def window_picture(made):
    """The whole window as it looks at start, for the help page."""
    import vm_preview
    skin = Image.open(os.path.join(vm_lib.RES, "MAIN_FORM.bmp")).convert("RGB")
    img = vm_preview.composite(skin, made, "F")
    x, y, w, h = CANVAS
    back = Image.open(os.path.join(vm_lib.RES, "GL_BACK.bmp")).convert("RGB").resize((w, h), Image.BILINEAR)
    img.paste(back, (x, y))
    photo_path = os.path.join(vm_lib.RES, "STOCK_FOTO.bmp")
    if os.path.exists(photo_path):
        photo = Image.open(photo_path).convert("RGB")
        zoom = min(w / photo.width, h / photo.height)
        pw, ph = int(photo.width * zoom), int(photo.height * zoom)
        img.paste(photo.resize((pw, ph), Image.LANCZOS), (x + (w - pw) // 2, y + (h - ph) // 2))
    return img


def docs():
    import vm_docs
    made = load_made()
    made["__window"] = window_picture(made)
    vm_docs.write_images(made)
    icon = Image.open(os.path.join(vm_lib.RES, "APP_ICON_256.png")).convert("RGBA")
    vm_lib.save_png(icon.resize((144, 144), Image.LANCZOS), os.path.join(vm_docs.IMAGES, "app_icon.png"))
    vm_docs.licences()
    vm_docs.write_help()


def main(argv):
    if not argv or argv[0] not in ("pictures", "docs"):
        print(__doc__)
        return 2
    if argv[0] == "pictures":
        preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
        pictures(preview)
    else:
        docs()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
