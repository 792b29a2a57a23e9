"""The fourteen canvas cursors, 24 x 23 RGBA. The normal arrow has its tip
at (4, 4) because the canvas draws it 4 px up and left of the pointer; the
tool cursors are drawn with their top-left corner at the pointer, so each
carries a small arrow tip there and the tool's badge below right."""
import os

from vm_lib import svg_image, mdi_paths, save_png, RES

CW, CH = 24, 23
FILL = "#1b1715"
EDGE = "#ffffff"

CURSORS = {
    "CURSOR_MOVE": "cursor-move",
    "CURSOR_ROTATE": "rotate-right",
    "CURSOR_SCALE": "resize",
    "CURSOR_MOVE_P": "vector-square",
    "CURSOR_DELETE": "delete",
    "CURSOR_FLIP_H": "flip-horizontal",
    "CURSOR_FLIP_V": "flip-horizontal@90",
    "CURSOR_ALPHA": "circle-opacity",
    "CURSOR_MOVE_F": "hand-back-right",
    "CURSOR_ZOOM": "magnify",
    "CURSOR_PAINT": "brush",
    "CURSOR_CLEAR": "eraser",
    "CURSOR_SELECT": "lasso",
}


def _poly(points):
    return "M" + " L".join("%.2f %.2f" % p for p in points) + " Z"


def _outlined(d, width):
    return ('<path d="%s" fill="%s" stroke="%s" stroke-width="%.2f" stroke-linejoin="round" '
            'paint-order="stroke fill"/>' % (d, FILL, EDGE, width))


def normal_arrow():
    pts = [(4, 4), (4, 19.2), (7.9, 15.6), (10.4, 21.2), (12.9, 20.1), (10.4, 14.6), (15.4, 14.6)]
    return svg_image(_outlined(_poly(pts), 1.7), CW, CH)


def tool_cursor(icon_name):
    tip = [(1.2, 1.2), (1.2, 10.2), (3.5, 8.0), (5.0, 11.2), (6.6, 10.5), (5.1, 7.3), (8.4, 7.3)]
    name, _, turn = icon_name.partition("@")
    size = 14.5
    x, y = CW - size - 0.6, CH - size - 0.4
    k = size / 24.0
    spin = " rotate(%s 12 12)" % turn if turn else ""
    paths = "".join(_outlined(d, 2.3 / k) for d in mdi_paths(name))
    body = (_outlined(_poly(tip), 1.5)
            + '<g transform="translate(%.3f %.3f) scale(%.5f)%s">%s</g>' % (x, y, k, spin, paths))
    return svg_image(body, CW, CH)


def make():
    made = {"CURSOR_NORMAL": normal_arrow()}
    for name, icon_name in CURSORS.items():
        made[name] = tool_cursor(icon_name)
    for name, img in made.items():
        save_png(img, os.path.join(RES, name + ".png"))
    return made
