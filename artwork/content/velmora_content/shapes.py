"""Hand-built shapes for the flash sheets: hearts, tribal blades, stars,
sacred geometry and mandalas, all as SVG path data on a 512 grid."""
import math

from .ink import arc_pt, f


def heart(cx, cy, s):
    """A plump heart, s units across."""
    p = [(0, 0.45), (-0.1, 0.35), (-0.5, 0.05), (-0.5, -0.18),
         (-0.5, -0.42), (-0.22, -0.5), (0, -0.28), (0.22, -0.5),
         (0.5, -0.42), (0.5, -0.18), (0.5, 0.05), (0.1, 0.35), (0, 0.45)]
    q = [(cx + x * s, cy + y * s) for x, y in p]
    d = f"M{f(q[0][0])} {f(q[0][1])}"
    for i in range(1, len(q), 3):
        d += "C" + " ".join(f"{f(x)} {f(y)}" for x, y in q[i:i + 3])
    return d + "Z"


def _bez(p, t):
    if len(p) == 3:
        a, b, c = p
        return tuple((1 - t) ** 2 * a[k] + 2 * (1 - t) * t * b[k] +
                     t * t * c[k] for k in range(2))
    a, b, c, d = p
    return tuple((1 - t) ** 3 * a[k] + 3 * (1 - t) ** 2 * t * b[k] +
                 3 * (1 - t) * t * t * c[k] + t ** 3 * d[k]
                 for k in range(2))


def blade(points, w0, w1=0.0, steps=28, power=0.9):
    """A tapered tribal blade along a Bezier (3 or 4 points): w0 wide at
    the start, w1 at the tip."""
    left, right = [], []
    for i in range(steps + 1):
        t = i / steps
        x, y = _bez(points, t)
        x2, y2 = _bez(points, min(1, t + 0.01))
        x1, y1 = _bez(points, max(0, t - 0.01))
        dx, dy = x2 - x1, y2 - y1
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        w = (w0 * (1 - t) ** power + w1 * t) / 2
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    pts = left + right[::-1]
    return "M" + "L".join(f"{f(x)} {f(y)}" for x, y in pts) + "Z"


def star(cx, cy, r0, r1, n, start=0):
    pts = []
    for i in range(2 * n):
        r = r1 if i % 2 == 0 else r0
        pts.append(arc_pt(cx, cy, r, start + 180 * i / n))
    return "M" + "L".join(f"{f(x)} {f(y)}" for x, y in pts) + "Z"


def nautical_star(sheet, cx, cy, r1, r0, n=5, line=5, start=0):
    """The sailor's star: each point split into a dark and a light half."""
    for i in range(n):
        a = start + 360 * i / n
        tip = arc_pt(cx, cy, r1, a)
        lft = arc_pt(cx, cy, r0, a - 180 / n)
        rgt = arc_pt(cx, cy, r0, a + 180 / n)
        sheet.path(f"M{f(cx)} {f(cy)}L{f(tip[0])} {f(tip[1])}L{f(lft[0])} "
                   f"{f(lft[1])}Z", fill="#000", stroke="#000", width=line)
        sheet.path(f"M{f(cx)} {f(cy)}L{f(tip[0])} {f(tip[1])}L{f(rgt[0])} "
                   f"{f(rgt[1])}Z", fill="#fff", stroke="#000", width=line)


def flower_of_life(sheet, cx, cy, r, rings=2, line=3.5):
    centres = {(0, 0)}
    for _ in range(rings):
        new = set()
        for (q, p) in centres:
            for dq, dp in ((1, 0), (-1, 0), (0, 1), (0, -1), (1, -1),
                           (-1, 1)):
                new.add((q + dq, p + dp))
        centres |= new
    for q, p in sorted(centres):
        x = cx + r * (q + p / 2)
        y = cy + r * p * math.sqrt(3) / 2
        if math.hypot(x - cx, y - cy) <= r * rings + 1:
            sheet.circle(x, y, r, width=line)
    sheet.circle(cx, cy, r * (rings + 1), width=line * 1.6)


def mandala(sheet, cx, cy, scale, rng, layers):
    """Concentric ornament; `layers` lists the ring kinds from inside out."""
    r = 18 * scale
    sheet.circle(cx, cy, r)
    for kind in layers:
        n = int(rng.choice([8, 12, 16]))
        if kind == "dots":
            sheet.dot_ring(cx, cy, r + 10 * scale, n * 2, 3.2 * scale)
            r += 18 * scale
        elif kind == "petals":
            depth = 55 * scale
            sheet.petals(cx, cy, r, r + depth, n, 12 + 6 * rng.random(),
                         outline=3.5 * scale)
            sheet.petals(cx, cy, r + 6 * scale, r + depth * 0.78, n, 4,
                         start=0)
            r += depth
        elif kind == "solid":
            depth = 40 * scale
            sheet.petals(cx, cy, r - 4 * scale, r + depth, n, 10,
                         start=180 / n)
            r += depth
        elif kind == "scallop":
            sheet.scallops(cx, cy, r + 6 * scale, n * 2,
                           math.pi * (r + 6 * scale) / (n * 2) * 1.05,
                           3.5 * scale)
            r += 22 * scale
        elif kind == "ring":
            sheet.circle(cx, cy, r + 6 * scale, width=4 * scale)
            sheet.circle(cx, cy, r + 14 * scale, width=2 * scale)
            r += 18 * scale
        elif kind == "rays":
            sheet.rays(cx, cy, r + 4 * scale, r + 30 * scale, n * 4, 1.1)
            r += 32 * scale
        elif kind == "spikes":
            sheet.rays(cx, cy, r, r + 36 * scale, n * 2, 180 / (n * 2) * 0.8)
            r += 38 * scale
    return r
