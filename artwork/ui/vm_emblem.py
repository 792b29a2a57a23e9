"""The Velmora emblem: a serif "V" cut like a tattoo flash letter, with a
spark in its opening, inside a brass ring. Drawn as SVG so the logo, the
About logo, the welcome picture and the application icon share one shape."""

V_POINTS = [(12, 22), (46, 22), (46, 26), (38.5, 26), (57.35, 66.97), (76.5, 26), (70, 26),
            (70, 22), (89, 22), (89, 26), (82.5, 26), (53.5, 88), (48, 88), (19.5, 26), (12, 26)]

STYLES = {
    # ring light, ring dark, letter light, letter dark, letter edge, spark, disc centre, disc edge, glow
    "lit": ("#f6dc9c", "#b07f38", "#e2443f", "#8c171c", "#f2cf86", "#fff4d8", "#3a2320", "#171313", 0.55),
    "rest": ("#9a7d50", "#5f4a2c", "#8a2a2b", "#4e1518", "#8a6f45", "#b89a68", "#221c1a", "#161312", 0.0),
    "icon": ("#f0d08c", "#a87838", "#d83a38", "#84161b", "#eccb84", "#fff0d0", "#2e2220", "#141111", 0.35),
}


def _star(cx, cy, r, thin):
    pts = []
    for k in range(8):
        rad = r if k % 2 == 0 else r * thin
        ang = k * 3.14159265358979 / 4
        from math import cos, sin
        pts.append((cx + rad * sin(ang), cy - rad * cos(ang)))
    return " ".join("%.3f,%.3f" % p for p in pts)


def letter(style, uid):
    s = STYLES[style]
    pts = " ".join("%g,%g" % p for p in V_POINTS)
    return (
        '<defs><linearGradient id="vl%s" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient></defs>'
        '<polygon points="%s" fill="url(#vl%s)" stroke="%s" stroke-width="1.6" stroke-linejoin="miter"/>'
        '<polygon points="%s" fill="%s"/>'
        % (uid, s[2], s[3], pts, uid, s[4], _star(57.5, 41, 8.5, 0.22), s[5]))


def emblem(cx, cy, r, style="lit", rings=True, uid="e"):
    """SVG group of the emblem centred at (cx, cy) with outer radius r."""
    s = STYLES[style]
    k = r / 46.0
    parts = [
        '<defs>'
        '<linearGradient id="rg%s" x1="0" y1="0" x2="0.4" y2="1">'
        '<stop offset="0" stop-color="%s"/><stop offset="0.55" stop-color="%s"/>'
        '<stop offset="1" stop-color="%s"/></linearGradient>'
        '<radialGradient id="dg%s" cx="0.5" cy="0.45" r="0.6">'
        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></radialGradient>'
        '</defs>' % (uid, s[0], s[1], s[0], uid, s[6], s[7]),
        '<g transform="translate(%.3f %.3f) scale(%.5f)">' % (cx, cy, k),
        '<circle cx="0" cy="0" r="44.5" fill="url(#dg%s)"/>' % uid,
    ]
    if rings:
        parts.append('<circle cx="0" cy="0" r="44.3" fill="none" stroke="url(#rg%s)" stroke-width="3.4"/>' % uid)
        parts.append('<circle cx="0" cy="0" r="37.5" fill="none" stroke="url(#rg%s)" stroke-width="1.1"/>' % uid)
        from math import cos, sin, pi
        for i in range(24):
            a = i * 2 * pi / 24
            parts.append('<circle cx="%.3f" cy="%.3f" r="0.95" fill="%s"/>'
                         % (40.9 * sin(a), -40.9 * cos(a), s[1] if style == "rest" else s[0]))
    else:
        parts.append('<circle cx="0" cy="0" r="44.3" fill="none" stroke="url(#rg%s)" stroke-width="4.5"/>' % uid)
    if s[8] > 0:
        parts.append('<defs><radialGradient id="gl%s"><stop offset="0" stop-color="#c0302c" stop-opacity="%.2f"/>'
                     '<stop offset="1" stop-color="#c0302c" stop-opacity="0"/></radialGradient></defs>'
                     '<circle cx="0" cy="2" r="34" fill="url(#gl%s)"/>' % (uid, s[8], uid))
    scale = 0.62 if rings else 0.74
    parts.append('<g transform="scale(%.4f) translate(-50.5 -55)">%s</g>' % (scale, letter(style, uid)))
    parts.append('</g>')
    return "".join(parts)
