"""Small deterministic image helpers on numpy arrays (no scipy on purpose)."""
import numpy as np
from PIL import Image


def box_blur_axis(a, r, axis):
    """Mean over a window of 2r+1 samples along one axis, edges clamped."""
    if r < 1:
        return a
    pad = [(0, 0)] * a.ndim
    pad[axis] = (r + 1, r)
    p = np.pad(a, pad, mode="edge")
    c = np.cumsum(p, axis=axis, dtype=np.float64)
    n = a.shape[axis]
    hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=axis)
    lo = np.take(c, np.arange(0, n), axis=axis)
    return ((hi - lo) / (2 * r + 1)).astype(np.float32)


def blur(a, sigma):
    """Gaussian-like blur: three box passes per axis (sigma in pixels)."""
    a = np.asarray(a, dtype=np.float32)
    if sigma < 0.5:
        return a
    # three boxes of radius r have variance 3*((2r+1)^2-1)/12 = r(r+1)
    r = max(1, int(round((np.sqrt(4 * sigma * sigma + 1) - 1) / 2)))
    out = a
    for axis in (0, 1):
        for _ in range(3):
            out = box_blur_axis(out, r, axis)
    return out


def small_blur(a, sigma):
    """Exact separable Gaussian for small radii (sub-pixel softening)."""
    a = np.asarray(a, dtype=np.float32)
    r = max(1, int(np.ceil(sigma * 3)))
    k = np.exp(-0.5 * (np.arange(-r, r + 1) / sigma) ** 2)
    k = (k / k.sum()).astype(np.float32)
    out = a
    for axis in (0, 1):
        pad = [(0, 0)] * a.ndim
        pad[axis] = (r, r)
        p = np.pad(out, pad, mode="edge")
        n = out.shape[axis]
        acc = np.zeros_like(out)
        for i, w in enumerate(k):
            sl = [slice(None)] * a.ndim
            sl[axis] = slice(i, i + n)
            acc += w * p[tuple(sl)]
        out = acc
    return out


def value_noise(rng, h, w, scale):
    """Smooth noise in [-1, 1] with features about `scale` pixels apart."""
    gh = int(np.ceil(h / scale)) + 4
    gw = int(np.ceil(w / scale)) + 4
    g = rng.random((gh, gw), dtype=np.float32) * 2 - 1
    im = Image.fromarray(g, "F").resize(
        (int(gw * scale), int(gh * scale)), Image.BICUBIC)
    a = np.asarray(im, dtype=np.float32)
    o = int(scale * 1.5)
    return a[o:o + h, o:o + w]


def fractal_noise(rng, h, w, scale, octaves=4, gain=0.5):
    out = np.zeros((h, w), np.float32)
    amp, total = 1.0, 0.0
    for _ in range(octaves):
        if scale < 1.5:
            break
        out += amp * value_noise(rng, h, w, scale)
        total += amp
        amp *= gain
        scale /= 2
    return out / total


def srgb_to_linear(c):
    c = np.asarray(c, dtype=np.float32)
    return np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)


def linear_to_srgb(c):
    c = np.clip(c, 0, 1)
    return np.where(c <= 0.0031308, c * 12.92, 1.055 * c ** (1 / 2.4) - 0.055)


def to_u8(a):
    return np.clip(np.round(a * 255), 0, 255).astype(np.uint8)
