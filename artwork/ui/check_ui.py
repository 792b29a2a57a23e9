#!/usr/bin/python3
"""Checks that every interface picture exists with the size and form the
program expects: 24-bit BMPs, 8-bit RGBA PNGs."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

from vm_lib import RES  # noqa: E402
from vm_layout import BUTTONS, SWATCHES  # noqa: E402
from vm_cursors import CURSORS  # noqa: E402


def expected():
    want = {"MAIN_FORM.bmp": (850, 650), "GL_BACK.bmp": (512, 512), "LOGO_LIGHT.bmp": (113, 102),
            "ABOUT_LOGO.bmp": (73, 80), "SCREEN_HISTORY.bmp": (850, 650), "SCREEN_HIGIENA.bmp": (850, 650),
            "START_BACK.png": (400, 280), "CURSOR_NORMAL.png": (24, 23)}
    for name in CURSORS:
        want[name + ".png"] = (24, 23)
    for size in (16, 32, 48, 256):
        want["APP_ICON_%d.png" % size] = (size, size)
    for spec in BUTTONS:
        for state in "OFH":
            want[spec[1] + state + ".bmp"] = (spec[5], spec[6])
    for spec in SWATCHES:
        for suffix in ("_P", "_N"):
            want["COL_%d%s.bmp" % (spec[0], suffix)] = (spec[4], spec[5])
    return want


def bmp_bits(path):
    with open(path, "rb") as f:
        head = f.read(30)
    return int.from_bytes(head[28:30], "little"), int.from_bytes(head[14:18], "little")


def used_icons():
    names = {spec[8] for spec in BUTTONS} | set(CURSORS.values())
    names |= {"check-bold", "image-outline", "book-open-variant", "hand-water"}
    return sorted({n.partition("@")[0] for n in names})


def check_credits():
    """Every icon drawn must be named in CREDITS.md."""
    path = os.path.join(os.path.dirname(RES), "CREDITS.md")
    with open(path, encoding="utf-8") as f:
        text = " ".join(f.read().split())
    missing = [n for n in used_icons() if not re.search(r"[\s,:]%s[,.]" % re.escape(n), text)]
    for n in missing:
        print("icon %s is not credited in CREDITS.md" % n)
    return len(missing)


def main():
    bad = 0
    for name, size in sorted(expected().items()):
        path = os.path.join(RES, name)
        if not os.path.exists(path):
            print("missing", name)
            bad += 1
            continue
        img = Image.open(path)
        if img.size != size:
            print("%s is %dx%d, wants %dx%d" % (name, img.size[0], img.size[1], size[0], size[1]))
            bad += 1
        if name.endswith(".bmp") and bmp_bits(path) != (24, 40):
            print(name, "is not a plain 24-bit BMP")
            bad += 1
        if name.endswith(".png") and img.mode != "RGBA":
            print(name, "is", img.mode, "not RGBA")
            bad += 1
    if not os.path.exists(os.path.join(RES, "APP_ICON.svg")):
        print("missing APP_ICON.svg")
        bad += 1
    bad += check_credits()
    print("%d interface pictures checked, %d problems" % (len(expected()) + 1, bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
