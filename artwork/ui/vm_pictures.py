"""Canvas background, welcome picture, About logo and the application icon."""
import os

import numpy as np
from PIL import Image, ImageDraw

from vm_lib import svg_image, save_png, font, caps_label, RES, noise_field
from vm_emblem import emblem, letter
from vm_skin import _gradient_text


def gl_back():
    """Dark, quiet backdrop for the canvas: a soft vignette over a faint checker."""
    n = 512
    yy, xx = np.mgrid[0:n, 0:n].astype(np.float64)
    r = np.sqrt(((xx - n / 2) / (n / 2)) ** 2 + ((yy - n / 2) / (n / 2)) ** 2)
    shade = 13.0 + 20.0 * np.clip(1.0 - r * 0.72, 0.0, 1.0) ** 1.6
    checker = ((xx // 32 + yy // 32) % 2) * 2.0
    v = shade + checker + noise_field(n, n, 512, 1.2)
    rgb = np.stack([v * 1.05, v * 0.96, v * 0.9], axis=2)
    return Image.fromarray(np.clip(np.round(rgb), 0, 255).astype(np.uint8), "RGB")


def start_back():
    """The welcome picture, 400 x 280 with rounded, transparent corners. The
    welcome label is drawn by the program at (8, 263) in the window's text
    colour, so the bottom strip is a light, plain band."""
    w, h = 400, 280
    shape = ('<defs><linearGradient id="bg" x1="0" y1="0" x2="0.3" y2="1">'
             '<stop offset="0" stop-color="#2a2422"/><stop offset="1" stop-color="#141110"/></linearGradient>'
             '<radialGradient id="glow" cx="0.235" cy="0.44" r="0.45">'
             '<stop offset="0" stop-color="#7e2024" stop-opacity="0.55"/>'
             '<stop offset="1" stop-color="#7e2024" stop-opacity="0"/></radialGradient>'
             '<clipPath id="card"><rect x="0" y="0" width="400" height="280" rx="16"/></clipPath></defs>'
             '<g clip-path="url(#card)">'
             '<rect x="0" y="0" width="400" height="280" fill="url(#bg)"/>'
             '<rect x="0" y="0" width="400" height="280" fill="url(#glow)"/>'
             '<rect x="0" y="254" width="400" height="26" fill="#ebe3d4"/>'
             '<rect x="0" y="253" width="400" height="1" fill="#b88f52"/>'
             '</g>'
             '<rect x="0.5" y="0.5" width="399" height="279" rx="15.5" fill="none" stroke="#4a3e35"/>'
             + emblem(94, 124, 62, "lit", uid="w"))
    img = svg_image(shape, w, h)
    _gradient_text(img, (178, 122), "Velmora", font("serif", 58), (248, 224, 168), (172, 128, 64))
    d = ImageDraw.Draw(img)
    d.text((181, 150), "try a tattoo before you ink it", font=font("serif-italic", 18),
           fill=(226, 214, 194, 255), anchor="ls")
    d.line([(181, 166), (376, 166)], fill=(150, 118, 70, 255))
    caps_label(d, 181, 186, "TATTOO TRY-ON STUDIO", 9, (176, 142, 90, 255), spacing=2.2)
    return img


def about_logo():
    """73 x 80 on the About window's black; the control shows the top 65 rows."""
    img = Image.new("RGBA", (73, 80), (0, 0, 0, 255))
    img.alpha_composite(svg_image(emblem(36.5, 32.5, 31.5, "lit", uid="a"), 73, 80))
    return img.convert("RGB")


def _icon_mark(size_hint, rings):
    if size_hint <= 16:
        # At 16 px the ring would be a blur: the letter alone, as large as it goes.
        return ('<g transform="translate(128 124) scale(2.75) translate(-50.5 -55)">%s</g>'
                % letter("icon", "s"))
    return emblem(128, 128, 110 if rings else 116, "icon", rings=rings, uid="i")


def icon_svg(size_hint):
    rings = size_hint >= 48
    body = ('<defs><linearGradient id="ib" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#2c2522"/><stop offset="1" stop-color="#131010"/></linearGradient></defs>'
            '<rect x="4" y="4" width="248" height="248" rx="52" fill="url(#ib)" stroke="#5a4a3a" stroke-width="4"/>'
            + _icon_mark(size_hint, rings))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
            + body + '</svg>\n')


def app_icon():
    with open(os.path.join(RES, "APP_ICON.svg"), "w", encoding="utf-8") as f:
        f.write(icon_svg(256))
    out = {}
    for size in (16, 32, 48, 256):
        doc = icon_svg(size)
        inner = doc[doc.index(">") + 1:doc.rindex("</svg>")]
        img = svg_image(inner, size, size, view=(0, 0, 256, 256))
        save_png(img, os.path.join(RES, "APP_ICON_%d.png" % size))
        out[size] = img
    return out


def make(save_bmp):
    save_bmp(gl_back(), "GL_BACK")
    save_png(start_back(), os.path.join(RES, "START_BACK.png"))
    save_bmp(about_logo(), "ABOUT_LOGO")
    return app_icon()
