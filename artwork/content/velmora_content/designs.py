"""The tattoo catalog: every design of every group, as drawing recipes.

Each recipe draws one flash design on a Sheet (512 units square, centred
on 256, 256).  Colour designs return ("colour", colour_sheet, under,
over): the colour sheet gets a bold black outline; the optional ink
sheets (banners, lettering) lie under it or over it.
"""
from .flash_classic import skulls, roses, hearts, dragons, snakes
from .flash_more import birds, wild, tribal, ornament, script, colour

GROUPS = [("Skulls", skulls), ("Roses", roses), ("Hearts", hearts),
          ("Dragons", dragons), ("Snakes", snakes), ("Birds", birds),
          ("Wild", wild), ("Tribal", tribal), ("Ornament", ornament),
          ("Script", script), ("Colour", colour)]
