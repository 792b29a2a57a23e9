"""Height fields of the body parts shown in the sample photos.

Each function returns (height, coverage) for a w x h frame: height in
pixels towards the camera, coverage 0..1 of skin (anti-aliased outline).
"""
import numpy as np

from .skin import smoothstep, gauss, smooth_max
from .imaging import blur


def _interp(u, pts, smooth=0):
    """Smooth profile through control points (u, value), flat outside.

    Catmull-Rom through the points; with `smooth` the curve is also blurred
    along u so that its curvature has no kinks (kinks show up as bands in
    the shading)."""
    if smooth:
        lo, hi = pts[0][0] - 3 * smooth, pts[-1][0] + 3 * smooth
        grid = np.arange(lo, hi + 1, 1, dtype=np.float32)
        prof = _interp(grid, pts)
        k = np.exp(-0.5 * (np.arange(-3 * smooth, 3 * smooth + 1) /
                           smooth) ** 2)
        prof = np.convolve(np.pad(prof, 3 * smooth, mode="edge"),
                           k / k.sum(), mode="valid")
        return np.interp(u, grid, prof).astype(np.float32)
    us = np.array([p[0] for p in pts], np.float32)
    vs = np.array([p[1] for p in pts], np.float32)
    vs_ext = np.concatenate([[vs[0]], vs, [vs[-1]]])
    i = np.clip(np.searchsorted(us, u) - 1, 0, len(us) - 2)
    t = np.clip((u - us[i]) / (us[i + 1] - us[i]), 0, 1)
    p0, p1, p2, p3 = vs_ext[i], vs_ext[i + 1], vs_ext[i + 2], vs_ext[i + 3]
    return 0.5 * (2 * p1 + (p2 - p0) * t +
                  (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                  (3 * p1 - p0 - 3 * p2 + p3) * t * t * t)


def _superellipse(v, W, D, p):
    t = np.clip(np.abs(v) / W, 0, 1)
    return D * (1 - t ** p) ** (1 / p)


def _tri_sd(px, py, tri):
    """Signed distance to a triangle (negative inside)."""
    d = np.full(px.shape, 1e9, np.float32)
    s = np.ones(px.shape, np.float32)
    n = len(tri)
    inside = np.zeros(px.shape, bool)
    for k in range(n):
        ax, ay = tri[k]
        bx, by = tri[(k + 1) % n]
        ex, ey = bx - ax, by - ay
        wx, wy = px - ax, py - ay
        t = np.clip((wx * ex + wy * ey) / (ex * ex + ey * ey), 0, 1)
        dx, dy = wx - ex * t, wy - ey * t
        d = np.minimum(d, dx * dx + dy * dy)
        c1 = py >= ay
        c2 = py < by
        c3 = ex * wy > ey * wx
        flip = (c1 & c2 & c3) | (~c1 & ~c2 & ~c3)
        inside ^= flip
    s[inside] = -1
    return s * np.sqrt(d)


def _ridge(px, py, a, b, width):
    """Distance field to segment a-b turned into a soft ridge."""
    ax, ay = a
    bx, by = b
    ex, ey = bx - ax, by - ay
    t = np.clip(((px - ax) * ex + (py - ay) * ey) / (ex * ex + ey * ey),
                0, 1)
    dx, dy = px - ax - ex * t, py - ay - ey * t
    return gauss(np.sqrt(dx * dx + dy * dy), width), t


def back_prone(w, h, s=1.0, shift=40, centre=0.5):
    """A back lying face down: neck and shoulders at the left, waist and
    the top of the hips at the right.  s scales every length, `shift` moves
    the neck in from the left edge, `centre` places the spine across the
    frame (turned upright and enlarged this is a standing back close up)."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    u = (xx - shift * s) / s
    yc = h * centre + 4 * s * np.sin(u / 900 * np.pi)
    v = (yy - yc) / s
    av = np.abs(v)
    W = _interp(u, [(-100, 345), (250, 338), (470, 312), (640, 268),
                    (780, 236), (890, 224), (990, 232), (1090, 254),
                    (1250, 282)], smooth=40)
    # top of the shoulders (trapezius line) seen from above
    xl = _interp(av, [(0, 10), (90, 24), (160, 52), (230, 74), (300, 90),
                      (400, 104)], smooth=15)
    D = 0.62 * W
    torso = _superellipse(v, W, D, 2.1)
    cap_t = np.clip((u - xl) / 110, 0, 1)
    torso = torso * np.sqrt(1 - (1 - cap_t) ** 2)
    # the neck runs out of the frame and slopes down towards the head
    Wn = _interp(u, [(-200, 84), (0, 92), (70, 130)])
    neck = _superellipse(v, Wn, _interp(u, [(-200, 80), (60, 150)]), 2.0)
    neck = neck * (1 - smoothstep(40, 120, u))
    body = smooth_max(torso, neck, 40)
    d_side = (W - av) * s
    d_top = (u - xl) * s * 0.9
    d_neck = np.minimum((Wn - av) * s, (120 - u) * s)
    cov = np.clip(np.maximum(np.minimum(d_side, d_top), d_neck) + 0.5, 0, 1)
    torso = body
    hgt = torso
    # spine groove, deeper in the lumbar region
    sdepth = _interp(u, [(-50, 2), (150, 4), (500, 6), (800, 12),
                         (1050, 13), (1200, 6)], smooth=40)
    hgt = hgt - sdepth * gauss(v, 15 + u * 0.006)
    # spinous processes of the upper back
    bumps = 0.5 + 0.5 * np.cos((u - 30) / 38 * 2 * np.pi)
    hgt = hgt + 1.4 * bumps ** 3 * gauss(v, 8) * smoothstep(-40, 40, u) * \
        (1 - smoothstep(200, 420, u))
    hgt = hgt + 5 * gauss(np.hypot(u - 32, v), 12)  # C7 prominence
    # paraspinal muscles
    eamp = _interp(u, [(0, 2), (400, 3), (700, 8), (950, 10), (1100, 7),
                       (1200, 2)], smooth=40)
    hgt = hgt + eamp * gauss(av - 44, 26)
    # shoulder blades: a rounded plate with a firmer inner edge
    tri = [(70, 102), (345, 120), (150, 250)]
    sd = _tri_sd(u, av, tri)
    blade = blur(1 - smoothstep(-6, 6, sd), 22 * s)
    hgt = hgt + 15 * blade
    medial = gauss(sd, 10) * (av < 160) * smoothstep(70, 120, u) * \
        (1 - smoothstep(280, 350, u))
    hgt = hgt + 2.5 * blur(medial, 3 * s)
    ridge, _ = _ridge(u, av, (130, 106), (60, 262), 14)
    hgt = hgt + 3.5 * ridge
    hgt = hgt + 1.0 * gauss(np.hypot(u - 330, av - 120), 26)
    # latissimus and the flank
    hgt = hgt + 7 * gauss(av / W - 0.68, 0.12) * \
        smoothstep(330, 480, u) * (1 - smoothstep(640, 820, u))
    # dimples above the pelvis
    for side in (-1, 1):
        hgt = hgt - 7 * gauss(np.hypot(u - 1128, v - side * 64), 13)
    # the sacrum flattens the groove low down
    hgt = hgt + 4 * gauss(v, 34) * smoothstep(1080, 1200, u)
    hgt = np.where(cov > 0, hgt, 0)
    return hgt * s, cov


def _frame(w, h, origin, angle_deg, s):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    a = np.deg2rad(angle_deg)
    dx, dy = xx - origin[0], yy - origin[1]
    u = (dx * np.cos(a) + dy * np.sin(a)) / s
    v = (-dx * np.sin(a) + dy * np.cos(a)) / s
    return u, v


def _limb(u, v, radius, depth=0.8, p=2.0, start=None, s=1.0):
    """A tapered limb along u; `start` ends it in frame with a round cap."""
    if start is not None:
        c = start + radius
        r = np.where(u < c, np.hypot(v, c - u), np.abs(v))
    else:
        r = np.abs(v)
    h = _superellipse(r, radius, depth * radius, p)
    d = (radius - r) * s
    return h, np.clip(d + 0.5, 0, 1)


def forearm(w, h, s=1.0):
    """A forearm lying across the frame, elbow at the left, wrist at the
    right; the inner side faces the camera."""
    u, v = _frame(w, h, (-180 * s, h * 0.5), -4, s)
    v = v - 14 * np.sin(u / 1800 * np.pi)
    R = _interp(u, [(-100, 300), (250, 292), (600, 250), (1000, 205),
                    (1300, 182), (1450, 190), (1700, 235)], smooth=40)
    hgt, cov = _limb(u, v, R, depth=0.75, s=s)
    # flexor mass near the elbow, tendons and the wrist crease
    hgt = hgt + 16 * gauss(v + 60, 120) * gauss(u - 300, 260)
    for off in (-45, 25):
        hgt = hgt + 3.5 * gauss(v - off, 10) * smoothstep(950, 1200, u) * \
            (1 - smoothstep(1330, 1400, u))
    hgt = hgt - 3 * gauss(u - 1390, 7) * gauss(v, 120)
    hgt = hgt + 9 * gauss(np.hypot(u - 1370, v + 165), 24)
    return hgt * s, cov


def calf(w, h, s=1.0):
    """The back of a lower leg, standing: knee above the frame, ankle and
    heel at the bottom."""
    u, v = _frame(w, h, (w * 0.5, -80 * s), 90, s)
    v = v + 18 * np.sin(u / 2200 * np.pi)
    R = _interp(u, [(-100, 350), (200, 372), (520, 400), (850, 340),
                    (1250, 235), (1650, 175), (1900, 190), (2200, 250)],
                smooth=50)
    hgt, cov = _limb(u, v, R, depth=0.7, s=s)
    # the two heads of the calf muscle, the inner one lower and fuller
    hgt = hgt + 26 * gauss(v + 120, 110) * gauss(u - 620, 260)
    hgt = hgt + 18 * gauss(v - 120, 100) * gauss(u - 520, 220)
    hgt = hgt - 6 * gauss(v, 22) * gauss(u - 520, 240)
    # Achilles tendon with hollows on each side
    hgt = hgt + 9 * gauss(v, 34) * smoothstep(1100, 1400, u) * \
        (1 - smoothstep(1800, 1950, u))
    for side in (-1, 1):
        hgt = hgt - 10 * gauss(v - side * 95, 30) * gauss(u - 1700, 150)
    # knee crease at the top
    hgt = hgt - 5 * gauss(u - 40, 14) * gauss(v, 220)
    return hgt * s, cov


def lower_back(w, h, s=1.0):
    """A lower back of a person standing, seen from behind, from the
    shoulder blades' tips down to the top of the hips."""
    u, v = _frame(w, h, (w * 0.5, -120 * s), 90, s)
    av = np.abs(v)
    W = _interp(u, [(-100, 520), (200, 470), (480, 405), (640, 400),
                    (850, 450), (1100, 520)], smooth=50)
    hgt = _superellipse(v, W, 0.6 * W, 2.2)
    cov = np.clip((W - av) * s + 0.5, 0, 1)
    hgt = hgt - _interp(u, [(0, 6), (400, 14), (800, 16), (1100, 8)],
                        smooth=40) * gauss(v, 18)
    hgt = hgt + _interp(u, [(0, 4), (450, 14), (800, 12), (1100, 4)],
                        smooth=40) * gauss(av - 55, 34)
    for side in (-1, 1):
        hgt = hgt - 8 * gauss(np.hypot(u - 860, v - side * 75), 17)
    # the waist folds slightly at the sides
    hgt = hgt - 6 * gauss(u - 560, 22) * smoothstep(0.75, 0.95, av / W)
    hgt = np.where(cov > 0, hgt, 0)
    return hgt * s, cov


def upper_arm(w, h, s=1.0):
    """An upper arm lying across the frame, shoulder at the left, the
    inside of the elbow at the right, biceps towards the camera."""
    u, v = _frame(w, h, (-80 * s, h * 0.5), 3, s)
    R = _interp(u, [(-100, 250), (200, 240), (450, 232), (750, 215),
                    (950, 200), (1200, 230)], smooth=40)
    hgt, cov = _limb(u, v, R, depth=0.8, s=s)
    hgt = hgt + 22 * gauss(v + 30, 95) * gauss(u - 560, 200)
    hgt = hgt - 5 * gauss(u - 960, 12) * gauss(v, 110)
    hgt = hgt + 8 * gauss(v - 150, 60) * gauss(u - 400, 300)
    return hgt * s, cov
