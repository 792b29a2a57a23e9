"""Flash sheets of birds, wild animals, tribal work, ornaments, lettering
and the colour designs (recipes as described in designs.py)."""
from .ink import Sheet, arc_pt
from . import shapes as S

C = 256


def birds():
    def raven(r):
        s = Sheet().circle(C, 220, 150).circle(C + 40, 190, 130,
                                                  fill="#fff")
        return s.icon("raven", C, 270, 300, halo=10)

    def eagle(r):
        return Sheet().stipple(C, 230, 90, 220, r, arc=(-90, 90)).icon(
            "eagle-emblem", C, C, 380, halo=8)

    def eagle_head(r):
        s = Sheet().circle(C, C, 200, width=6).circle(C, C, 185, width=2)
        return s.icon("eagle-head", C, C, 300)

    def barn(r):
        s = Sheet()
        S.mandala(s, C, C, 1.0, r, ["dots", "scallop", "ring", "rays"])
        s.circle(C, C, 150, fill="#fff")
        return s.icon("owl", C, C, 240)

    def humming(r):
        s = Sheet().icon("spiral-bloom", 330, 330, 180)
        return s.icon("hummingbird", 210, 210, 280, halo=10)

    def dove(r):
        s = Sheet().wreath(C, 120, 200, 120, 230, 8, 34)
        s.icon("dove", C, 220, 300, halo=10)
        return s.banner(C, 420, 250, 54, text="PEACE", size=40)

    def crow(r):
        s = Sheet().icon("two-feathers", 180, 330, 220, rot=-20)
        return s.icon("crow-dive", 290, 220, 300, halo=10)

    def doves_heart(r):
        s = Sheet().path(S.heart(C, 300, 140))
        s.icon("dove", 140, 200, 230, rot=-10)
        return s.icon("dove", 372, 200, 230, rot=10, flip=True)

    return [("raven_moon", raven), ("eagle", eagle),
            ("eagle_head", eagle_head), ("owl_mandala", barn), ("hummingbird", humming),
            ("dove_peace", dove), ("crow_feathers", crow),
            ("doves_heart", doves_heart)]


def wild():
    def wolf(r):
        s = Sheet().stipple(C, 200, 150, 215, r, density=0.9)
        s.circle(C, 200, 150)
        return s.icon("wolf-head", C, 300, 290, halo=10)

    def lion(r):
        s = Sheet().wreath(C, 270, 190, 215, 330, 8, 42)
        s.wreath(C, 270, 190, 145, 30, 8, 42)
        return s.icon("lion", C, 250, 280)

    def stag(r):
        s = Sheet().path("M256 40L470 410L42 410Z", fill="none",
                         stroke="#000", width=6)
        s.circle(C, 285, 120, width=4)
        return s.icon("stag-head", C, 270, 260, halo=10)

    def scorpion(r):
        return Sheet().stipple(C, C, 100, 225, r).icon(
            "scorpion", C, C, 330, halo=10)

    def octopus(r):
        return Sheet().icon("octopus", C, C, 400)

    def butterfly(r):
        s = Sheet().dot_ring(C, C, 200, 30, 4).dot_ring(C, C, 222, 30, 2.5,
                                                        start=6)
        return s.icon("butterfly", C, C, 330)

    def spider(r):
        s = Sheet()
        for i in range(7):
            a = 90 + i * 30
            x, y = arc_pt(C, 40, 230, a)
            s.path(f"M{C} 40L{x:.1f} {y:.1f}", fill="none", stroke="#000",
                   width=3)
        for k in range(1, 6):
            pts = [arc_pt(C, 40, 45 * k, 90 + i * 30) for i in range(7)]
            d = f"M{pts[0][0]:.1f} {pts[0][1]:.1f}" + "".join(
                f"Q{arc_pt(C, 40, 45 * k - 9, 105 + i * 30)[0]:.1f} "
                f"{arc_pt(C, 40, 45 * k - 9, 105 + i * 30)[1]:.1f} "
                f"{pts[i + 1][0]:.1f} {pts[i + 1][1]:.1f}" for i in range(6))
            s.path(d, fill="none", stroke="#000", width=3)
        return s.icon("hanging-spider", C, 330, 220, halo=8)

    def turtle(r):
        s = Sheet().circle(C, C, 210, width=5)
        s.icon("big-wave", C, 360, 200, sy=0.5)
        return s.icon("sea-turtle", C, 230, 260, halo=8)

    def whale(r):
        s = Sheet().icon("whale-tail", C, 230, 320)
        for i, y in enumerate((400, 425, 448)):
            w = 200 - i * 50
            s.path(f"M{C - w} {y}Q{C - w / 2} {y - 16} {C} {y}"
                   f"T{C + w} {y}", fill="none", stroke="#000", width=6)
        return s

    return [("wolf_moon", wolf),
            ("lion_laurels", lion), 
            ("stag_triangle", stag), ("scorpion", scorpion),
            ("octopus", octopus), ("butterfly", butterfly),
            ("spider_web", spider), ("sea_turtle", turtle),
            ("whale_tail", whale)]


def tribal():
    def sun(r):
        s = Sheet().circle(C, C, 62)
        for i in range(12):
            pts = [arc_pt(C, C, 70, i * 30), arc_pt(C, C, 150, i * 30 + 8),
                   arc_pt(C, C, 200, i * 30 + 30),
                   arc_pt(C, C, 235, i * 30 + 14)]
            s.path(S.blade(pts, 42, 0))
        return s.circle(C, C, 40, fill="#fff").circle(C, C, 24)

    def band(r):
        s = Sheet().path("M30 250Q256 232 482 250Q256 268 30 250Z")
        for x0 in (70, 190, 310, 430):
            s.path(S.blade([(x0 - 30, 252), (x0 - 10, 180), (x0 + 50, 160),
                            (x0 + 70, 190)], 34, 0))
            s.path(S.blade([(x0 + 30, 248), (x0 + 10, 320), (x0 - 50, 340),
                            (x0 - 70, 310)], 34, 0))
        return s

    def lower_back(r):
        s = Sheet().path(S.star(C, C, 30, 70, 4))
        for sign in (1, -1):
            def m(p):
                return [(C + sign * (x - C), y) for x, y in p]
            s.path(S.blade(m([(290, 240), (380, 170), (470, 190),
                              (500, 250)]), 46, 0))
            s.path(S.blade(m([(290, 272), (380, 340), (460, 330),
                              (480, 290)]), 40, 0))
            s.path(S.blade(m([(300, 256), (360, 256), (420, 250),
                              (450, 258)]), 22, 0))
            s.path(S.blade(m([(270, 200), (280, 140), (330, 110),
                              (360, 130)]), 24, 0))
            s.path(S.blade(m([(270, 312), (280, 372), (330, 402),
                              (360, 382)]), 24, 0))
        return s

    def flame(r):
        s = Sheet()
        for sign in (1, -1):
            def m(p):
                return [(C + sign * (x - C), y) for x, y in p]
            s.path(S.blade(m([(C, 470), (330, 380), (250, 250),
                              (330, 60)]), 70, 0))
            s.path(S.blade(m([(300, 420), (400, 360), (330, 230),
                              (420, 150)]), 46, 0))
            s.path(S.blade(m([(330, 440), (460, 400), (420, 300),
                              (470, 250)]), 30, 0))
        return s

    def heart(r):
        s = Sheet()
        for sign in (1, -1):
            def m(p):
                return [(C + sign * (x - C), y) for x, y in p]
            s.path(S.blade(m([(C, 440), (420, 330), (470, 160),
                              (360, 90)]), 8, 50, power=1.2))
            s.path(S.blade(m([(360, 92), (300, 90), (266, 130),
                              (C, 170)]), 44, 0))
        return s.path(S.heart(C, 265, 120))

    def triskele(r):
        s = Sheet()
        for i in range(3):
            a = i * 120
            s.path(S.blade([arc_pt(C, C, 10, a), arc_pt(C, C, 170, a + 20),
                            arc_pt(C, C, 230, a + 100),
                            arc_pt(C, C, 130, a + 130)], 90, 0, power=1.3))
            s.path(S.blade([arc_pt(C, C, 150, a + 40),
                            arc_pt(C, C, 215, a + 45),
                            arc_pt(C, C, 240, a + 62)], 24, 0))
        return s.circle(C, C, 34, fill="#fff").circle(C, C, 18)

    def thorns(r):
        s = Sheet().circle(C, C, 120, width=16)
        for i in range(12):
            a = i * 30
            s.path(S.blade([arc_pt(C, C, 118, a), arc_pt(C, C, 150, a + 10),
                            arc_pt(C, C, 175, a + 22)], 24, 0))
            s.path(S.blade([arc_pt(C, C, 122, a + 15),
                            arc_pt(C, C, 95, a + 25),
                            arc_pt(C, C, 80, a + 38)], 18, 0))
        return s.path(S.star(C, C, 22, 60, 4))

    def yin(r):
        s = Sheet().icon("triple-yin", C, C, 300)
        for i in range(6):
            a = i * 60
            pts = [arc_pt(C, C, 160, a), arc_pt(C, C, 210, a + 20),
                   arc_pt(C, C, 240, a + 45)]
            s.path(S.blade(pts, 26, 0))
        return s

    def spikes(r):
        s = Sheet()
        for i in range(8):
            a = i * 45
            pts = [arc_pt(C, C, 40, a), arc_pt(C, C, 120, a - 25),
                   arc_pt(C, C, 190, a + 10), arc_pt(C, C, 230, a - 10)]
            s.path(S.blade(pts, 36, 0))
        return s.circle(C, C, 46).circle(C, C, 30, fill="#fff")

    return [("tribal_sun", sun), ("tribal_band", band),
            ("tribal_wings", lower_back), ("tribal_flame", flame),
            ("tribal_heart", heart), ("triskelion", triskele),
            ("thorn_ring", thorns), ("tribal_yin", yin),
            ("tribal_star", spikes)]


def ornament():
    def mandala(layers, seed_scale=1.0):
        def draw(r):
            s = Sheet()
            S.mandala(s, C, C, seed_scale, r, layers)
            return s
        return draw

    def compass(r):
        s = Sheet().circle(C, C, 150, width=5).dot_ring(C, C, 165, 32, 3)
        S.nautical_star(s, C, C, 235, 70, n=8, line=4, start=22.5)
        S.nautical_star(s, C, C, 240, 60, n=4, line=5)
        return s

    def nautical(r):
        s = Sheet()
        S.nautical_star(s, C, C, 230, 90, n=5, line=6)
        return s

    def flower_life(r):
        s = Sheet()
        S.flower_of_life(s, C, C, 62, rings=2)
        return s

    def eye(r):
        s = Sheet().rays(C, 250, 120, 235, 32, 1.5)
        return s.icon("all-seeing-eye", C, 280, 260, halo=12)

    def horus(r):
        s = Sheet().dot_ring(C, C, 200, 40, 3.5).circle(C, C, 215, width=4)
        return s.icon("eye-of-horus", C, C, 330)

    def catcher(r):
        return Sheet().icon("dream-catcher", C, C, 420)

    def sun_moon(r):
        s = Sheet()
        for i in range(16):
            a = i * 22.5
            s.path(S.blade([arc_pt(C, C, 100, a), arc_pt(C, C, 170, a + 12),
                            arc_pt(C, C, 220, a + 4)], 30, 0))
        s.circle(C, C, 112).circle(C, C, 100, fill="#fff")
        return s.icon("moon", C, C, 190)

    return [("mandala_lotus", mandala(["dots", "petals", "scallop", "petals",
                                       "dots"])),
            ("mandala_sun", mandala(["petals", "ring", "spikes", "dots",
                                     "rays"])),
            ("mandala_star", mandala(["solid", "dots", "petals", "ring",
                                      "spikes"])),
            ("mandala_lace", mandala(["scallop", "dots", "scallop", "petals",
                                      "dots", "scallop"])),
            ("compass_rose", compass), ("nautical_star", nautical),
            ("flower_of_life", flower_life), ("all_seeing_eye", eye),
            ("eye_of_horus", horus), ("dream_catcher", catcher),
            ("sun_and_moon", sun_moon)]


def script():
    def love(r):
        s = Sheet().banner(C, 270, 300, 76, text="LOVE", size=58)
        s.path(S.star(C, 150, 12, 32, 5)).path(S.star(170, 175, 8, 20, 5))
        return s.path(S.star(342, 175, 8, 20, 5))

    def mom(r):
        s = Sheet().path(S.heart(C, 230, 300), fill="#000")
        s.path(S.heart(C, 230, 250), fill="#fff", stroke="#000", width=6)
        return s.banner(C, 260, 320, 70, text="MOM", size=56)

    def carpe(r):
        s = Sheet().text("Carpe", C, 200, 110, font="italic")
        s.text("Diem", C, 310, 110, font="italic")
        for sign in (1, -1):
            x = C + sign * 20
            s.path(f"M{x} 372C{x + sign * 90} 340 {x + sign * 160} 420 "
                   f"{x + sign * 200} 372C{x + sign * 170} 400 {x + sign * 90}"
                   f" 356 {x} 380Z")
            s.circle(x + sign * 205, 366, 8)
        return s

    def hope(r):
        s = Sheet().icon("anchor", C, 220, 320, rot=45)
        return s.banner(C, 300, 310, 68, text="HOPE", size=54)

    def forever(r):
        s = Sheet().banner(C, 230, 330, 66, radius=420,
                           text="FOREVER YOUNG", size=36)
        return s.path(S.star(C, 350, 20, 52, 5))

    def regrets(r):
        s = Sheet().text("No Regrets", C, 240, 88, font="italic")
        return s.path("M90 300Q256 270 422 300Q256 285 90 300Z",
                      stroke="#000", width=5)

    def amor(r):
        s = Sheet().circle(C, C, 210, width=5).circle(C, C, 140, width=5)
        s.text("AMOR FATI", C, 82, 46, radius=174)
        s.text("AMOR FATI", C, 430, 46, radius=-174)
        return s.icon("rose", C, C, 200)

    def lucky(r):
        s = Sheet().icon("horseshoe", C, 210, 280)
        return s.banner(C, 360, 300, 68, text="LUCKY", size=54)

    def freedom(r):
        s = Sheet()
        s.icon("feathered-wing", 140, 220, 250, flip=True)
        s.icon("feathered-wing", 372, 220, 250)
        return s.banner(C, 330, 310, 64, text="FREEDOM", size=46)

    def family(r):
        s = Sheet().banner(C, 260, 310, 70, text="FAMILY", size=50)
        for x in (156, C, 356):
            s.path(S.heart(x, 150 + (20 if x != C else 0), 60))
        return s

    return [("banner_love", love), ("mom_heart", mom),
            ("carpe_diem", carpe), ("anchor_hope", hope),
            ("forever_young", forever), ("no_regrets", regrets),
            ("amor_fati", amor), ("lucky_horseshoe", lucky),
            ("freedom_wings", freedom), ("family_banner", family)]


def colour():
    def noto(*items):
        def draw(r):
            s = Sheet()
            for name, x, y, size, *rest in items:
                rot = rest[0] if rest else 0
                flip = rest[1] if len(rest) > 1 else False
                s.icon(name, x, y, size, rot=rot, flip=flip, prefix="noto")
            return ("colour", s, None, None)
        return draw

    def heart_mom(r):
        s = Sheet().icon("red-heart", C, 220, 330, prefix="noto")
        ink = Sheet().banner(C, 300, 330, 66, text="MOM", size=52)
        return ("colour", s, None, ink)

    def anchor_banner(r):
        s = Sheet().icon("anchor", C, 220, 330, prefix="noto")
        ink = Sheet().banner(C, 400, 320, 60, text="HOME", size=44)
        return ("colour", s, ink, None)

    return [("colour_rose", noto(("rose", C, C, 380))),
            ("colour_heart_mom", heart_mom),
            ("colour_heart_fire", noto(("heart-on-fire", C, C, 380))),
            ("colour_dragon", noto(("dragon", C, C, 400))),
            ("colour_snake", noto(("snake", C, C, 380))),
            ("colour_butterfly", noto(("monarch-butterfly", C, C, 400))),
            ("colour_hibiscus", noto(("hibiscus", C, C, 380))),
            ("colour_lotus", noto(("lotus", C, C, 380))),
            ("colour_anchor", anchor_banner),
            ("colour_dagger_rose", noto(("dagger", C, C, 400, 0),
                                        ("rose", 230, 300, 220, -30))),
            ("colour_tiger", noto(("tiger-face", C, C, 380))),
            ("colour_eagle", noto(("eagle", C, C, 400))),
            ("colour_skull_roses", noto(("rose", 160, 330, 200, -35),
                                        ("rose", 352, 330, 200, 35, True),
                                        ("skull", C, 230, 270))),
            ("colour_cherry", noto(("cherry-blossom", 190, 200, 230),
                                   ("cherry-blossom", 330, 330, 190),
                                   ("cherry-blossom", 170, 370, 120)))]
