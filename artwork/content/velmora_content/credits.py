"""The content's entries in CREDITS.md and its licence text."""
import os
import textwrap

from .ink import icon_set

MARK = "<!-- The content artwork script adds its entries below this line. -->"
END = "<!-- End of the content artwork script's entries. -->"
CC_URL = "https://creativecommons.org/licenses/by/3.0/"


def read_authors(path):
    table = {}
    with open(path, encoding="utf-8") as fh:
        for line in fh:
            if line.startswith("#") or not line.strip():
                continue
            name, author = line.rstrip("\n").split("\t")
            table[name] = author
    return table


def _package_version(prefix):
    import json
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "..", "node_modules", "@iconify-json",
                        prefix, "package.json")
    with open(path, encoding="utf-8") as fh:
        return json.load(fh)["version"]


def section(used, authors, counts):
    """Markdown for the catalog, photos and gallery."""
    game = sorted(n for p, n in used if p == "game-icons")
    noto = sorted(n for p, n in used if p == "noto")
    by_author = {}
    for n in game:
        by_author.setdefault(authors[n], []).append(n)
    lines = [
        "### Tattoo catalog",
        "",
        f"The {counts['designs']} designs in {counts['groups']} groups under "
        "`data` are made by `artwork/content/make-content`. Each one "
        "composes icons listed below with ornaments drawn by the script "
        "itself (banners, frames, dot-work halos, laurels, rays, mandalas, "
        "tribal blades, hearts, stars); the lettering is set in EB Garamond.",
        "",
        "- **Game-icons.net** icons, package `@iconify-json/game-icons` "
        f"{_package_version('game-icons')}, licensed under Creative Commons "
        f"Attribution 3.0 (CC BY 3.0, [{CC_URL[8:-1]}]({CC_URL}), "
        "`LICENSES/CC-BY-3.0.txt`). "
        "Changes: recoloured to tattoo ink, resized, rotated or mirrored, "
        "composited with other icons, ornaments and lettering, edges "
        "softened, and rasterised.",
    ]
    for author in sorted(by_author):
        lines.append(f"- Icons made by {author} (game-icons.net): "
                     + ", ".join(by_author[author]) + ".")
    lines += [
        "- **Noto Emoji** by Google, package `@iconify-json/noto` "
        f"{_package_version('noto')}, Apache License 2.0 "
        "(`LICENSES/Apache-2.0.txt`), used for the colour designs: "
        + ", ".join(noto) + ". Changes: a bold black outline added, colours "
        "slightly flattened, resized, rotated, composited with banners and "
        "lettering, and rasterised.",
        "",
        "### Photos",
        "",
        "The sample photo `resources/STOCK_FOTO.bmp`, the photos in `sample` "
        "and the finished examples in `gallery` are rendered by "
        "`artwork/content/make-content` from modelled body shapes with "
        "procedural skin; they are not photographs of anyone. The tattoos "
        "in the gallery are designs of the catalog above.",
        "",
    ]
    out = []
    for line in lines:
        if line.startswith("- "):
            out += textwrap.wrap(line, 78, subsequent_indent="  ",
                                 break_on_hyphens=False,
                                 break_long_words=False)
        elif line:
            out += textwrap.wrap(line, 78, break_on_hyphens=False,
                                 break_long_words=False)
        else:
            out.append("")
    return "\n".join(out)


def write_section(root, text):
    """Puts the section after the marker of CREDITS.md, replacing an older
    one; the rest of the file is left as it is."""
    path = os.path.join(root, "CREDITS.md")
    old = ""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as fh:
            old = fh.read()
    block = MARK + "\n\n" + text + "\n" + END + "\n"
    if MARK in old:
        head, _, tail = old.partition(MARK)
        if END in tail:
            tail = tail.partition(END)[2].lstrip("\n")
        else:
            tail = ""
        new = head + block + (("\n" + tail) if tail else "")
    else:
        sep = "" if old.endswith("\n") or not old else "\n"
        new = old + sep + ("\n" if old else "# Credits\n\n") + block
    with open(path, "w", encoding="utf-8", newline="\n") as fh:
        fh.write(new)


CC_TEXT = f"""Creative Commons Attribution 3.0 Unported (CC BY 3.0)
======================================================

The game-icons.net icons used in Velmora's tattoo catalog (data/) are
licensed under the Creative Commons Attribution 3.0 Unported licence.

Licence deed:       {CC_URL}
Full legal code:    {CC_URL}legalcode

Attribution notice
------------------

Icons made by Lorc, Delapouite, Skoll and Sbed, from https://game-icons.net,
licensed under CC BY 3.0 ({CC_URL}).
CREDITS.md names the author of every icon used and says how the icons were
changed (recoloured, resized, rotated or mirrored, composited with other
artwork, edges softened, rasterised).

Summary of the licence (the legal code above is the binding text)
-----------------------------------------------------------------

You are free to share (copy and redistribute the material in any medium or
format) and to adapt (remix, transform and build upon the material) for any
purpose, even commercially, under the following terms:

  Attribution - You must give appropriate credit, provide a link to the
  licence, and indicate if changes were made. You may do so in any
  reasonable manner, but not in any way that suggests the licensor endorses
  you or your use.

  No additional restrictions - You may not apply legal terms or
  technological measures that legally restrict others from doing anything
  the licence permits.
"""


def write_licence(root, authors_used):
    dest = os.path.join(root, "LICENSES")
    os.makedirs(dest, exist_ok=True)
    text = CC_TEXT.replace("Lorc, Delapouite, Skoll and Sbed",
                           _join(authors_used))
    with open(os.path.join(dest, "CC-BY-3.0.txt"), "w", encoding="utf-8",
              newline="\n") as fh:
        fh.write(text)


def _join(names):
    names = sorted(names)
    if len(names) == 1:
        return names[0]
    return ", ".join(names[:-1]) + " and " + names[-1]


def check_sets():
    """Touches both icon sets so a missing npm install fails early."""
    icon_set("game-icons")
    icon_set("noto")
