"""Renders believable bare skin from a height field.

A body part is described as a height field seen straight from the camera:
a silhouette with an anti-aliased coverage, a height in pixels (muscles,
bones, grooves) and a skin tone.  Shading imitates a soft studio light on
translucent skin (light wraps further in red than in blue), then pores,
mottling, freckles, film grain and a vignette make it read as a photograph.
"""
import numpy as np

from .imaging import blur, small_blur, fractal_noise, \
    srgb_to_linear, linear_to_srgb

# albedo (sRGB 0-255), redness of the translucent terminator, sheen
TONES = {
    "light": dict(albedo=(242, 184, 148), blush=(1.0, 0.55, 0.45),
                  sheen=0.045, freckles=1.0, flush=0.10),
    "medium": dict(albedo=(201, 146, 112), blush=(1.0, 0.6, 0.5),
                   sheen=0.06, freckles=0.35, flush=0.07),
    "olive": dict(albedo=(184, 138, 98), blush=(1.0, 0.62, 0.48),
                  sheen=0.06, freckles=0.25, flush=0.05),
    "dark": dict(albedo=(112, 72, 52), blush=(1.0, 0.7, 0.6),
                 sheen=0.10, freckles=0.0, flush=0.03),
}


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0, 1)
    return t * t * (3 - 2 * t)


def gauss(x, s):
    return np.exp(-0.5 * (x / s) ** 2)


def smooth_max(a, b, k):
    h = np.clip(0.5 + 0.5 * (a - b) / k, 0, 1)
    return b + (a - b) * h + k * h * (1 - h)


def skin_detail(rng, h, w, height, scale=1.0):
    """Adds pores and fine undulation to a height field (in pixels)."""
    pores = rng.standard_normal((h, w)).astype(np.float32)
    pores = small_blur(pores, 0.9 * scale)
    pits = (rng.random((h, w)) < 0.006).astype(np.float32)
    pits = small_blur(pits, 0.8 * scale) * 2.5
    undul = fractal_noise(rng, h, w, 70 * scale, 3)
    return height + 0.16 * pores - 0.5 * pits + 1.6 * undul


def albedo_map(rng, h, w, tone, mask_scale=1.0, freckle_density=1.0):
    """Skin colour with mottling, flushed patches, freckles and moles."""
    t = TONES[tone]
    base = srgb_to_linear(np.array(t["albedo"], np.float32) / 255)
    mott = fractal_noise(rng, h, w, 160 * mask_scale, 4)
    red = fractal_noise(rng, h, w, 60 * mask_scale, 3)
    fine = fractal_noise(rng, h, w, 6 * mask_scale, 2)
    alb = np.empty((h, w, 3), np.float32)
    alb[:] = base
    alb *= (1 + 0.07 * mott)[..., None]
    flush = np.clip(red, 0, 1)[..., None] * t["flush"]
    alb *= 1 - flush * np.array([0.0, 0.9, 0.7], np.float32)
    alb *= (1 + 0.035 * fine)[..., None]
    n = int(h * w / 2600 * t["freckles"] * freckle_density)
    spots = np.zeros((h, w), np.float32)
    if n:
        ys = rng.integers(0, h, n)
        xs = rng.integers(0, w, n)
        vals = rng.random(n).astype(np.float32) ** 2
        np.add.at(spots, (ys, xs), vals)
        spots = small_blur(spots, 1.4 * mask_scale) * 9 * mask_scale ** 2
    moles = np.zeros((h, w), np.float32)
    for _ in range(int(rng.integers(3, 7))):
        y, x = int(rng.integers(0, h)), int(rng.integers(0, w))
        r = float(rng.uniform(1.6, 3.2)) * mask_scale
        yy, xx = np.ogrid[:h, :w]
        moles = np.maximum(moles, np.clip(r - np.sqrt((yy - y) ** 2 +
                                                      (xx - x) ** 2) + 0.5,
                                          0, 1))
    brown = np.array([0.55, 0.38, 0.28], np.float32)
    s = np.clip(spots, 0, 0.6)[..., None]
    alb = alb * (1 - s) + alb * brown * s
    m = small_blur(moles, 0.8 * mask_scale)[..., None] * 0.85
    alb = alb * (1 - m) + alb * brown * 0.35 * m
    return alb


def shade(height, alb, tone, light=(-0.5, -0.6, 0.62), ao_scale=30):
    """Soft-light shading of translucent skin; returns linear RGB."""
    t = TONES[tone]
    gy, gx = np.gradient(height.astype(np.float32))
    nz = 1 / np.sqrt(gx * gx + gy * gy + 1)
    nx, ny = -gx * nz, -gy * nz
    L = np.array(light, np.float32)
    L /= np.linalg.norm(L)
    ndl = nx * L[0] + ny * L[1] + nz * L[2]
    wrap = np.array([0.42, 0.22, 0.16], np.float32)
    diff = np.clip((ndl[..., None] + wrap) / (1 + wrap), 0, None)
    diff = diff ** 1.15
    # light diffuses under the skin, red furthest: soften the irradiance
    for c, sg in enumerate((2.6, 1.3, 1.0)):
        diff[..., c] = small_blur(diff[..., c], sg)
    fill = np.clip(0.5 + 0.5 * (-nx * 0.5 + ny * 0.2 + nz * 0.8), 0, 1)
    cavity = np.clip(blur(height, ao_scale) - height, 0, None)
    ao = np.exp(-cavity / 28)[..., None]
    blush = np.array(t["blush"], np.float32)
    # light scattered through thin, steep regions reddens the terminator
    scatter = (np.clip(1 - ndl, 0, 1) * np.clip(ndl + 0.4, 0, 1))[..., None]
    col = alb * (0.92 * diff + 0.16 * fill[..., None] * ao) * ao ** 0.5
    col += alb * scatter * blush * 0.16
    H = L + np.array([0, 0, 1], np.float32)
    H /= np.linalg.norm(H)
    ndh = np.clip(nx * H[0] + ny * H[1] + nz * H[2], 0, 1)
    spec = t["sheen"] * (ndh ** 24 + 0.35 * ndh ** 6)
    col += spec[..., None] * np.array([1.0, 0.97, 0.94], np.float32)
    return col


def film(rng, rgb_lin, exposure=1.0, grain=0.012, vignette=0.35):
    """Camera look: soft tone curve, vignette, grain; returns sRGB 0..1."""
    h, w = rgb_lin.shape[:2]
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    r2 = ((xx - w / 2) / (w / 2)) ** 2 + ((yy - h / 2) / (h / 2)) ** 2
    vig = 1 - vignette * np.clip(r2 / 2, 0, 1) ** 1.3
    c = rgb_lin * exposure * vig[..., None]
    c = c / (1 + 0.35 * c)  # gentle shoulder
    s = linear_to_srgb(c)
    g = rng.standard_normal((h, w)).astype(np.float32)
    g = 0.6 * g + 0.4 * small_blur(g, 0.8) * 2
    chroma = small_blur(rng.standard_normal((h, w, 3)).astype(np.float32)
                        .reshape(h, w, 3)[..., 0], 1.2)
    s = s + grain * g[..., None] + grain * 0.3 * chroma[..., None] * \
        np.array([1, -0.5, -0.5], np.float32)
    return np.clip(s, 0, 1)
