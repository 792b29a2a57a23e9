"""Flash sheets of the classic motifs: skulls, roses, hearts, dragons and
snakes (recipes as described in designs.py)."""
from .ink import Sheet
from . import shapes as S

C = 256


def skulls():
    def crossbones(r):
        return Sheet().stipple(C, C, 150, 235, r).icon(
            "skull-crossed-bones", C, C, 320, halo=10)

    def crowned(r):
        return Sheet().icon("crowned-skull", C, 205, 290).banner(
            C, 385, 300, 60, text="MEMENTO MORI", size=34)

    def roses(r):
        s = Sheet()
        s.icon("rose", 130, 340, 200, rot=-40)
        s.icon("rose", 382, 340, 200, rot=40, flip=True)
        return s.icon("death-skull", C, 220, 220, halo=10)

    def winged(r):
        s = Sheet()
        s.icon("feathered-wing", 120, 220, 240, flip=True)
        s.icon("feathered-wing", 392, 220, 240)
        return s.icon("skull-crack", C, 250, 230, halo=8)

    def dagger(r):
        s = Sheet().icon("plain-dagger", C, C, 360, rot=45)
        return s.icon("dread-skull", C, 230, 220, halo=10)

    def burning(r):
        s = Sheet().circle(C, C, 200, width=7).dot_ring(C, C, 218, 48, 3.5)
        return s.icon("burning-skull", C, C, 300, halo=8)

    def pirate(r):
        s = Sheet().icon("crossed-swords", C, 270, 400)
        return s.icon("pirate-skull", C, 240, 230, halo=12)

    def candle(r):
        return Sheet().stipple(C, 250, 120, 215, r, density=1.3).icon(
            "candle-skull", C, C, 300, halo=8)

    def horned(r):
        s = Sheet().rays(C, C, 150, 240, 36, 2.2)
        s.circle(C, C, 150, fill="#fff").circle(C, C, 150, width=6)
        return s.icon("horned-skull", C, C, 230)

    def tentacles(r):
        s = Sheet().icon("tentacles-skull", C, 230, 320)
        return s.banner(C, 420, 260, 54, text="ABYSS", size=38)

    return [("skull_crossbones", crossbones), ("crowned_skull", crowned),
            ("skull_roses", roses), ("winged_skull", winged),
            ("skull_dagger", dagger), ("burning_skull", burning),
            ("pirate_skull", pirate), ("candle_skull", candle),
            ("horned_skull", horned), ("tentacle_skull", tentacles)]


def roses():
    def banner(r):
        return Sheet().icon("rose", C, 210, 300).banner(
            C, 400, 290, 60, text="TRUE LOVE", size=38)

    def wreath(r):
        s = Sheet().wreath(C, C, 190, 200, 340, 9, 42)
        s.wreath(C, C, 190, 160, 20, 9, 42)
        return s.icon("rose", C, C, 250)

    def dagger(r):
        return Sheet().stipple(C, C, 120, 220, r, density=0.8).icon(
            "dagger-rose", C, C, 330, halo=10)

    def pair(r):
        s = Sheet().icon("rose", 180, C, 270, rot=-15)
        return s.icon("rose", 332, C, 270, rot=15, flip=True, halo=6)

    def lotus_mandala(r):
        s = Sheet().petals(C, C, 120, 225, 12, 12, outline=5)
        s.dot_ring(C, C, 232, 36, 3)
        s.circle(C, C, 125, fill="#fff").circle(C, C, 125, width=5)
        return s.icon("lotus-flower", C, C, 200)

    def lotus(r):
        s = Sheet().rays(C, 300, 90, 230, 20, 2.0)
        s.add('<rect x="0" y="300" width="512" height="212" fill="#fff"/>')
        for i, y in enumerate((330, 350, 368)):
            w = 180 - i * 45
            s.path(f"M{C - w} {y}Q{C} {y - 14} {C + w} {y}", fill="none",
                   stroke="#000", width=5)
        return s.icon("lotus", C, 250, 240, halo=8)

    def emblem(r):
        s = Sheet().circle(C, C, 215, width=5).circle(C, C, 200, width=2)
        s.dot_ring(C, C, 228, 60, 2.6)
        return s.icon("flower-emblem", C, C, 300)

    def bloom(r):
        return Sheet().stipple(C, C, 100, 230, r, density=1.1).icon(
            "spiral-bloom", C, C, 260, halo=10)

    def bud(r):
        s = Sheet().icon("shut-rose", C, C, 360)
        s.leaf(150, 380, 80, 25, 240).leaf(362, 380, 80, 25, 120)
        return s

    def lily(r):
        s = Sheet().icon("trefoil-lily", C, 300, 300)
        s.icon("rose", C, 165, 170, halo=8)
        return s

    return [("rose_banner", banner), ("rose_wreath", wreath),
            ("dagger_rose", dagger), ("rose_pair", pair),
            ("lotus_mandala", lotus_mandala), ("lotus_water", lotus),
            ("flower_emblem", emblem), ("spiral_bloom", bloom),
            ("rose_bud", bud), ("lily_rose", lily)]


def hearts():
    def wings(r):
        s = Sheet()
        s.icon("feathered-wing", 125, 215, 230, flip=True)
        s.icon("feathered-wing", 387, 215, 230)
        s.path(S.heart(C, 245, 190), fill="#000", stroke="#fff", width=12)
        return s

    def sacred(r):
        s = Sheet().rays(C, 270, 120, 235, 28, 2.5)
        s.circle(C, 280, 118, fill="#fff")
        s.icon("fire", C, 120, 120, halo=6)
        s.path(S.heart(C, 285, 210), fill="#000", stroke="#fff", width=10)
        s.icon("crown-of-thorns", C, 290, 200, sy=0.45, halo=4)
        return s

    def pierced(r):
        return Sheet().stipple(C, C, 130, 225, r, density=0.9).icon(
            "pierced-heart", C, C, 300, halo=10)

    def chained(r):
        return Sheet().icon("chained-heart", C, C, 380)

    def locked(r):
        s = Sheet().path(S.heart(200, 240, 280))
        s.circle(200, 215, 26, fill="#fff")
        s.path("M188 225L212 225L222 300L178 300Z", fill="#fff")
        s.path("M150 120A50 60 0 0 1 250 120L250 150L232 150L232 124A32 40"
               " 0 0 0 168 124L168 150L150 150Z")
        return s.icon("heart-key", 370, 330, 200, rot=30, halo=8)

    def dagger(r):
        s = Sheet().path(S.heart(C, 220, 260), fill="#000")
        s.icon("plain-dagger", C, 220, 360, halo=8)
        return s.banner(C, 400, 290, 58, text="FOREVER", size=40)

    def crowned(r):
        s = Sheet().wreath(C, 280, 180, 215, 320, 7, 40)
        s.wreath(C, 280, 180, 145, 40, 7, 40)
        return s.icon("crowned-heart", C, 255, 270)

    def with_roses(r):
        s = Sheet().path(S.heart(C, 220, 290), fill="#000")
        s.path(S.heart(C, 220, 220), fill="#fff")
        s.path(S.heart(C, 220, 180), fill="#000")
        s.icon("rose", 150, 360, 170, rot=-20, halo=8)
        return s.icon("rose", 362, 360, 170, rot=20, flip=True, halo=8)

    def broken(r):
        s = Sheet().icon("broken-heart", C, 230, 280)
        for i, (x, y) in enumerate(((200, 400), (250, 430), (300, 410))):
            s.icon("drop", x, y, 50 - i * 6)
        return s

    def shining(r):
        s = Sheet().rays(C, C, 120, 235, 32, 2.2)
        s.circle(C, C, 120, fill="#fff").circle(C, C, 120, width=5)
        s.path(S.heart(C, 262, 190))
        s.path(S.heart(C, 262, 150), fill="#fff")
        return s.path(S.heart(C, 262, 110))

    return [("winged_heart", wings), ("sacred_heart", sacred),
            ("pierced_heart", pierced), ("chained_heart", chained),
            ("lock_and_key", locked), ("heart_dagger", dagger),
            ("crowned_heart", crowned), ("heart_roses", with_roses),
            ("broken_heart", broken), ("shining_heart", shining)]


def dragons():
    def head(r):
        s = Sheet().rays(C, C, 140, 235, 24, 4.5)
        s.circle(C, C, 140, fill="#fff")
        return s.icon("dragon-head", C, C, 280)

    def spiked(r):
        return Sheet().stipple(C, C, 110, 230, r).icon(
            "spiked-dragon-head", C, C, 320, halo=10)

    def spiral(r):
        s = Sheet().circle(C, C, 215, width=6).dot_ring(C, C, 230, 40, 3)
        return s.icon("dragon-spiral", C, C, 330)

    def sea(r):
        s = Sheet().icon("big-wave", C, 370, 260, sy=0.6)
        return s.icon("sea-dragon", C, 220, 300, halo=10)

    def drakkar(r):
        s = Sheet().circle(C, C, 210, width=10).circle(C, C, 190, width=3)
        return s.icon("drakkar-dragon", C, C, 300)

    def wyvern(r):
        return Sheet().icon("wyvern", C, C, 400)

    def twins(r):
        s = Sheet().stipple(C, 300, 40, 100, r, density=1.4)
        s.circle(C, 300, 40)
        s.icon("spiked-dragon-head", 130, 230, 250)
        return s.icon("spiked-dragon-head", 382, 230, 250, flip=True)

    def shield(r):
        s = Sheet().icon("dragon-shield", C, 230, 300)
        return s.banner(C, 410, 280, 56, text="FEARLESS", size=38)

    return [("dragon_head", head), ("spiked_dragon", spiked),
            ("dragon_spiral", spiral), ("sea_dragon", sea),
            ("drakkar", drakkar), ("wyvern", wyvern),
            ("twin_dragons", twins), ("dragon_crest", shield)]


def snakes():
    def dagger(r):
        s = Sheet().icon("plain-dagger", C, C, 430, rot=45)
        return s.icon("snake", C, C, 300, halo=8)

    def cobra(r):
        s = Sheet()
        S.mandala(s, C, C, 1.0, r, ["dots", "petals", "ring", "spikes"])
        s.circle(C, C, 130, fill="#fff")
        return s.icon("cobra", C, C, 230)

    def heart(r):
        s = Sheet().path(S.heart(C, 250, 300))
        return s.icon("snake", C, 250, 330, rot=10, halo=10)

    def spiral(r):
        return Sheet().dot_ring(C, C, 225, 48, 3).icon(
            "snake-spiral", C, C, 380)

    def skull(r):
        s = Sheet().icon("sea-serpent", C, 220, 330)
        return s.icon("death-skull", 190, 350, 150, halo=10)

    def rose(r):
        s = Sheet().icon("rose", 330, 300, 220, rot=15, flip=True)
        return s.icon("snake", 220, 230, 300, halo=8)

    def caduceus(r):
        s = Sheet()
        s.icon("feathered-wing", 160, 130, 170, flip=True)
        s.icon("feathered-wing", 352, 130, 170)
        s.path("M248 110L264 110L262 470L250 470Z")
        s.circle(C, 100, 18)
        s.icon("snake", 210, 300, 200, halo=5)
        return s.icon("snake", 302, 300, 200, flip=True, halo=5)

    def sand(r):
        s = Sheet().icon("sea-serpent", C, 200, 290, flip=True)
        return s.banner(C, 410, 270, 56, text="NO FEAR", size=40)

    return [("snake_dagger", dagger), ("cobra_mandala", cobra),
            ("snake_heart", heart), ("snake_spiral", spiral),
            ("serpent_skull", skull),
            ("snake_rose", rose), ("caduceus", caduceus),
            ("snake_banner", sand)]
