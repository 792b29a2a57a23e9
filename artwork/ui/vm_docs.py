"""The help file (help/velmora-help.html with its pictures in help/images)
and the licence texts. The help's About section carries CREDITS.md as it
stands when this runs, so it runs after every other artwork step."""
import html
import os
import re
import shutil

from PIL import Image

from vm_lib import ROOT, ARTWORK, save_png, svg_image
from vm_layout import BUTTONS, SWATCHES
from vm_buttons import LOOKS, tile_svg, ICON_SIZE, RADIUS
from vm_lib import mdi_group

HELP = os.path.join(ROOT, "help")
IMAGES = os.path.join(HELP, "images")


def button_image(prefix, scale=2):
    """The button's normal picture drawn afresh at twice its size, on a transparent ground."""
    spec = next(b for b in BUTTONS if b[1] == prefix)
    _, _, _, _, _, w, h, style, icon_name = spec
    look = LOOKS["F"]
    size = ICON_SIZE[style]
    body = tile_svg(w, h, look, RADIUS[style], "h")
    if style == "label":
        body += mdi_group(icon_name, w - size - 5, (h - size) / 2, size, look[3])
    else:
        body += mdi_group(icon_name, (w - size) / 2, (h - size) / 2, size, look[3])
    img = svg_image(body, w * scale, h * scale, view=(0, 0, w, h))
    if style == "label":
        from PIL import ImageDraw
        from vm_lib import font, text_width, draw_text
        fnt = font("sans-cond-bold", 9 * scale)
        tw = text_width(fnt, "NEXT GROUP", 0.9 * scale)
        tx = round(((w - size - 5 - 2) * scale - tw) / 2) + scale
        draw_text(ImageDraw.Draw(img), (tx, 15 * scale), "NEXT GROUP", fnt, look[3], 0.9 * scale)
    return img


def write_images(made):
    os.makedirs(IMAGES, exist_ok=True)
    names = []
    for spec in BUTTONS:
        prefix = spec[1]
        img = button_image(prefix)
        name = prefix.lower().rstrip("_") + ".png"
        save_png(img, os.path.join(IMAGES, name))
        names.append(name)
    row = Image.new("RGB", (8 * 33 - 7, 26), (33, 29, 27))
    for spec in SWATCHES:
        n = spec[0]
        row.paste(made["COL_%d%s" % (n, "_P" if n == 1 else "_N")], ((n - 1) * 33, 0))
    save_png(row.resize((row.width * 2, row.height * 2), Image.NEAREST), os.path.join(IMAGES, "colours.png"))
    # The screenshots of the help (images/window.png) are taken from the
    # running program with a photo, tattoos and paint, not drawn here.


def licences():
    dest = os.path.join(ROOT, "LICENSES")
    os.makedirs(dest, exist_ok=True)
    shutil.copyfile("/usr/share/common-licenses/Apache-2.0", os.path.join(dest, "Apache-2.0.txt"))
    shutil.copyfile(os.path.join(ARTWORK, "node_modules", "@mdi", "svg", "LICENSE"),
                    os.path.join(dest, "MaterialDesignIcons-LICENSE.txt"))


def _inline(text):
    text = html.escape(text, quote=False)
    text = re.sub(r"`([^`]+)`", r"<code>\1</code>", text)
    text = re.sub(r"\*\*([^*]+)\*\*", r"<strong>\1</strong>", text)
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r'<a href="\2">\1</a>', text)
    return text


def markdown(text):
    """Enough Markdown for CREDITS.md: headings, paragraphs and bullet lists."""
    out, para, in_list = [], [], False

    def flush():
        nonlocal para
        if para:
            out.append("<p>%s</p>" % _inline(" ".join(para)))
            para = []

    for line in text.splitlines():
        s = line.strip()
        if s.startswith("<!--"):
            continue
        if s.startswith("#"):
            flush()
            if in_list:
                out.append("</ul>")
                in_list = False
            level = min(len(s) - len(s.lstrip("#")) + 2, 5)
            out.append("<h%d>%s</h%d>" % (level, _inline(s.lstrip("#").strip()), level))
        elif s.startswith("- ") or s.startswith("* "):
            flush()
            if not in_list:
                out.append("<ul>")
                in_list = True
            out.append("<li>%s</li>" % _inline(s[2:]))
        elif not s:
            flush()
            if in_list:
                out.append("</ul>")
                in_list = False
        elif in_list and line.startswith("  "):
            out[-1] = out[-1][:-5] + " " + _inline(s) + "</li>"
        else:
            para.append(s)
    flush()
    if in_list:
        out.append("</ul>")
    return "\n".join(out)


# CREDITS.md speaks to developers and names the scripts that made each
# picture; the help speaks to users and names no file of the source tree.
FOR_USERS = [
    (r"<p>Velmora's pictures are made by <code>artwork/[^<]*</code>[^<]*<code>artwork/</code>\.[^<]*"
     r"<code>LICENSES</code>\.</p>\n?", ""),
    (r", drawn by the scripts in <code>artwork/[^<]*</code>", ""),
    (r"under <code>data</code> are made by <code>artwork/[^<]*</code>", "of the catalog were made for Velmora"),
    (r"The sample photo <code>resources/[^<]*</code>", "The sample photo Velmora starts with"),
    (r" are rendered by <code>artwork/[^<]*</code>", " are rendered"),
    (r"ornaments drawn by the script itself", "ornaments drawn for Velmora"),
]


def credits_for_users(credits_html):
    for pattern, replacement in FOR_USERS:
        credits_html = re.sub(pattern, replacement, credits_html)
    for source_path in ("artwork/", "resources/"):
        if source_path in credits_html:
            raise SystemExit("vm_docs: CREDITS.md names %s in a way the help cannot rephrase" % source_path)
    return credits_html


def write_help():
    from vm_help_text import page
    credits_path = os.path.join(ROOT, "CREDITS.md")
    credits = ""
    if os.path.exists(credits_path):
        with open(credits_path, encoding="utf-8") as f:
            credits = credits_for_users(markdown(f.read()))
    with open(os.path.join(HELP, "velmora-help.html"), "w", encoding="utf-8") as f:
        f.write(page(credits))
