"""The sample photos: the built-in back photo, the Open dialog's samples and
the gallery's finished examples (the same bodies with tattoos healed in).

Every photo is rendered, not shot: a body height field (bodies.py), skin
shading and detail (skin.py) over a dark cloth (backdrop.py).  Tattoos are
laid into the skin's colour before shading, so the ink takes the light,
the pores and the sheen of the skin it sits in.
"""
import os

import numpy as np
from PIL import Image

from . import backdrop, bodies, skin
from .imaging import small_blur, srgb_to_linear, to_u8


def _body(name, w, h):
    """(height, coverage) of one named body framing."""
    if name == "back":
        return bodies.back_prone(w, h, w / 1200)
    if name == "shoulder":  # an upper back close up, standing
        s = h / 1280 * 2.5
        hgt, cov = bodies.back_prone(h, w, s, shift=70, centre=0.22)
        return (np.ascontiguousarray(np.rot90(hgt, -1)),
                np.ascontiguousarray(np.rot90(cov, -1)))
    fn = {"forearm": bodies.forearm, "calf": bodies.calf,
          "lower_back": bodies.lower_back, "upper_arm": bodies.upper_arm}
    ref = {"forearm": 1600, "calf": 1536, "lower_back": 1280,
           "upper_arm": 1024}
    return fn[name](w, h, w / ref[name])


def _ink_layer(w, h, tattoos, root):
    """Linear-light ink colour and opacity of the placed tattoos."""
    col = np.ones((h, w, 3), np.float32)
    for t in tattoos:
        img = Image.open(os.path.join(root, "data", t["design"] + ".png"))
        size = int(t["size"])
        img = img.resize((size, size), Image.LANCZOS)
        if t.get("flip"):
            img = img.transpose(Image.FLIP_LEFT_RIGHT)
        img = img.rotate(t.get("angle", 0), resample=Image.BICUBIC,
                         expand=True)
        a = np.asarray(img, np.float32) / 255
        x0 = int(t["x"] - img.width / 2)
        y0 = int(t["y"] - img.height / 2)
        layer = np.zeros((h, w, 4), np.float32)
        xs, ys = max(0, x0), max(0, y0)
        xe, ye = min(w, x0 + img.width), min(h, y0 + img.height)
        layer[ys:ye, xs:xe] = a[ys - y0:ye - y0, xs - x0:xe - x0]
        alpha = small_blur(layer[..., 3], 0.7) * t.get("fade", 0.96)
        ink = srgb_to_linear(layer[..., :3]) * 0.92 + 0.012
        ink[..., 1] += 0.004  # black ink heals a touch green-blue
        ink[..., 2] += 0.006
        col = col * (1 - alpha[..., None]) + col * ink * alpha[..., None]
    return col


def render(name, w, h, tone, seed, tattoos=(), root=None, exposure=1.05,
           redden=None):
    """One photo as an (h, w, 3) uint8 array."""
    rng = np.random.default_rng(seed)
    hgt, cov = _body(name, w, h)
    scale = max(w, h) / 1600
    hgt = skin.skin_detail(rng, h, w, hgt, scale=max(scale, 0.7))
    alb = skin.albedo_map(rng, h, w, tone, mask_scale=max(scale, 0.7))
    if redden is not None:
        alb *= redden(w, h)[..., None] ** np.array([0, 1, 0.8], np.float32)
    if tattoos:
        alb *= _ink_layer(w, h, tattoos, root)
    col = skin.shade(hgt, alb, tone)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    col *= (1.12 - 0.3 * np.clip(xx / w * 0.7 + yy / h * 0.5, 0, 1))[..., None]
    bg = backdrop.cloth(rng, h, w, scale=max(scale, 0.6))
    out = backdrop.composite(col, cov, bg, blur_r=int(22 * max(scale, 0.5)))
    return to_u8(skin.film(rng, out, exposure=exposure))


def warm_shoulders(w, h):
    """Skin is a little redder over the shoulders than low on the back."""
    xx = np.arange(w, dtype=np.float32)[None, :].repeat(h, 0)
    return 1 - 0.06 * np.clip(1 - xx / (w * 0.5), 0, 1)


def save_bmp(arr, path):
    Image.fromarray(arr, "RGB").save(path, format="BMP")


def save_jpeg(arr, path, exif=None):
    img = Image.fromarray(arr, "RGB")
    if exif is not None:
        img.save(path, format="JPEG", quality=90, exif=exif)
    else:
        img.save(path, format="JPEG", quality=90)


def stock_photo(root):
    """resources/STOCK_FOTO.bmp: the built-in back, 1200 x 574."""
    arr = render("back", 1200, 574, "light", 11, redden=warm_shoulders)
    path = os.path.join(root, "resources", "STOCK_FOTO.bmp")
    save_bmp(arr, path)
    return [("resources/STOCK_FOTO.bmp", 1200, 574)]


SAMPLES = [
    # file, body, upright size, tone, seed
    ("forearm.jpg", "forearm", (1600, 1066), "medium", 21),
    ("calf_phone.jpg", "calf", (1536, 2048), "light", 22),
    ("shoulder.png", "shoulder", (1024, 1280), "dark", 23),
    ("lower_back.jpg", "lower_back", (1280, 960), "olive", 24),
    ("upper_arm.bmp", "upper_arm", (1024, 683), "dark", 25),
]


def samples(root):
    """sample/: photos for the Open dialog in every supported format."""
    folder = os.path.join(root, "sample")
    os.makedirs(folder, exist_ok=True)
    made = []
    for fname, body, (w, h), tone, seed in SAMPLES:
        arr = render(body, w, h, tone, seed)
        path = os.path.join(folder, fname)
        if fname.endswith(".png"):
            Image.fromarray(arr, "RGB").save(path, format="PNG")
        elif fname.endswith(".bmp"):
            save_bmp(arr, path)
        elif fname == "calf_phone.jpg":
            # stored sideways as a phone does; the tag says "turn 90
            # degrees clockwise to show"
            exif = Image.Exif()
            exif[0x0112] = 6
            exif[0x010F] = "Velmora"
            side = np.ascontiguousarray(np.rot90(arr, 1))
            save_jpeg(side, path, exif=exif.tobytes())
        else:
            save_jpeg(arr, path)
        made.append(("sample/" + fname, w, h))
    return made


GALLERY = [
    ("back_wyvern.jpg", "back", (1024, 490), "light", 31, [
        dict(design="Dragons/wyvern", x=250, y=150, size=300, angle=-80),
        dict(design="Script/banner_love", x=880, y=250, size=240,
             angle=90)]),
    ("forearm_rose.jpg", "forearm", (1024, 682), "medium", 32, [
        dict(design="Roses/rose_banner", x=440, y=335, size=330)]),
    ("calf_snake.jpg", "calf", (576, 768), "light", 33, [
        dict(design="Snakes/snake_dagger", x=300, y=300, size=330,
             angle=3)]),
    ("shoulder_sun.jpg", "shoulder", (614, 768), "dark", 34, [
        dict(design="Ornament/sun_and_moon", x=260, y=380, size=300,
             angle=10)]),
    ("lower_back_tribal.jpg", "lower_back", (1024, 768), "olive", 35, [
        dict(design="Tribal/tribal_wings", x=512, y=640, size=560)]),
    ("upper_arm_colour.jpg", "upper_arm", (1024, 683), "dark", 36, [
        dict(design="Colour/colour_dagger_rose", x=520, y=330, size=380,
             angle=-60, fade=0.95)]),
    ("back_butterfly.jpg", "back", (1024, 490), "light", 37, [
        dict(design="Colour/colour_butterfly", x=700, y=150, size=170,
             angle=-100, fade=0.92),
        dict(design="Roses/lotus_mandala", x=420, y=250, size=230)]),
]


def gallery(root):
    """gallery/: finished examples and their gallery.ini."""
    folder = os.path.join(root, "gallery")
    os.makedirs(folder, exist_ok=True)
    names = []
    for fname, body, (w, h), tone, seed, tattoos in GALLERY:
        arr = render(body, w, h, tone, seed, tattoos=tattoos, root=root)
        save_jpeg(arr, os.path.join(folder, fname))
        names.append(fname)
    lines = ["; Velmora photo gallery.",
             "; [gallery] Count is the number of pictures; [files] fileN",
             "; (N from 1 to Count) names each picture, relative to the",
             "; folder of this file.  Pictures are JPEG, BMP or PNG files",
             "; of at most 2048 x 2048 pixels.",
             "[gallery]", f"Count={len(names)}", "", "[files]"]
    lines += [f"file{i}={n}" for i, n in enumerate(names, 1)]
    with open(os.path.join(folder, "gallery.ini"), "w", encoding="ascii",
              newline="\n") as fh:
        fh.write("\n".join(lines) + "\n")
    return [("gallery/" + n, w, h) for n, (_, _, (w, h), *_r) in
            zip(names, GALLERY)]
