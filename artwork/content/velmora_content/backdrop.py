"""Dark neutral backdrops (a cloth under the body) with contact shadow."""
import numpy as np

from .imaging import blur, fractal_noise, small_blur


def cloth(rng, h, w, colour=(0.020, 0.018, 0.017), folds=1.0, scale=1.0):
    """Linear-RGB dark cloth: soft folds, a fine weave and a light falloff."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    fold = fractal_noise(rng, h, w, 260 * scale, 3)
    ridges = np.sin((xx * 0.8 + yy * 0.3) / (55 * scale) +
                    4 * fractal_noise(rng, h, w, 300 * scale, 2))
    shade = 1 + 0.35 * fold * folds + 0.18 * ridges * folds
    weave = (np.sin(xx * 1.9) * np.sin(yy * 1.9) * 0.06 +
             small_blur(rng.standard_normal((h, w)).astype(np.float32),
                        0.7) * 0.10)
    fall = 1.25 - 0.55 * np.clip(np.hypot(xx / w, yy / h) / 1.2, 0, 1)
    lum = np.clip(shade * (1 + weave) * fall, 0.2, 2)
    return lum[..., None] * np.array(colour, np.float32)


def composite(skin_lin, cov, back_lin, shadow_offset=(14, 18), blur_r=22):
    """Skin over the backdrop, with the body's soft shadow on the cloth."""
    dy, dx = shadow_offset
    sh = np.roll(np.roll(cov, dy, axis=0), dx, axis=1)
    sh = blur(sh, blur_r)
    occl = blur(cov, blur_r * 0.4)
    back = back_lin * (1 - 0.65 * sh)[..., None] * \
        (1 - 0.35 * occl)[..., None]
    a = cov[..., None]
    return skin_lin * a + back * (1 - a)
