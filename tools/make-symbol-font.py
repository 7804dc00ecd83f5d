#!/usr/bin/python3
"""Builds the project's symbol font "Map Symbols" (resources/fonts/MapSymbols.ttf).

Nodes draw one character of a symbol font centred on their position. The font is
made of simple geometric shapes so that it needs no third-party artwork:

  33..126   the symbols (code 60, the default symbol of new nodes, is a filled circle)
  161..255  the same symbols at a smaller size, in the same order, skipping 173
            (the soft hyphen, which text shaping treats as invisible)
  32, 160   blank

Every glyph's ink is centred in its cell: advance 1000 units, ascent 800, descent
200, so the cell is one em high and its centre lies 300 units above the baseline.
A symbol drawn centred in a rectangle (DT_CENTER | DT_VCENTER) therefore lands on
the rectangle's centre.

Usage: make-symbol-font.py [output.ttf]   (run with the system python that has
FontForge's module: python3-fontforge)
"""
import math
import os
import sys

# A fixed timestamp keeps the generated file identical from run to run.
os.environ.setdefault("SOURCE_DATE_EPOCH", "1262304000")

import fontforge  # noqa: E402
import psMat  # noqa: E402

EM = 1000
ASCENT = 800
DESCENT = 200
CENTRE_X = EM / 2
CENTRE_Y = (ASCENT - DESCENT) / 2
LARGE = 420          # outer radius of a full-size symbol
SMALL_SCALE = 0.6    # the upper half of the code page repeats the symbols at this size
STROKE = 90          # outline width of the outlined variants


# --- shapes, in unit coordinates: centred on (0, 0), reaching about radius 1 -------

def polygon(points):
    c = fontforge.contour()
    for x, y in points:
        c += fontforge.point(x, y)
    c.closed = True
    return c


def regular(n, radius=1.0, start=90.0):
    return polygon([(radius * math.cos(math.radians(start + 360.0 * i / n)),
                     radius * math.sin(math.radians(start + 360.0 * i / n))) for i in range(n)])


def star(n, inner, start=90.0):
    pts = []
    for i in range(2 * n):
        r = 1.0 if i % 2 == 0 else inner
        a = math.radians(start + 180.0 * i / n)
        pts.append((r * math.cos(a), r * math.sin(a)))
    return polygon(pts)


def rect(x0, y0, x1, y1):
    return polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def circle(radius=1.0, cx=0.0, cy=0.0):
    c = fontforge.unitShape(0)
    c.transform(psMat.compose(psMat.scale(radius), psMat.translate(cx, cy)))
    return c


def rotated(contours, degrees):
    m = psMat.rotate(math.radians(degrees))
    out = []
    for c in contours:
        c = c.dup()
        c.transform(m)
        out.append(c)
    return out


def arrow_up():
    return [polygon([(0.0, 1.0), (0.75, 0.15), (0.25, 0.15), (0.25, -1.0),
                     (-0.25, -1.0), (-0.25, 0.15), (-0.75, 0.15)])]


def plus(w):
    return [rect(-w, -1.0, w, 1.0), rect(-1.0, -w, 1.0, w)]


def flag():
    # Pole on the left, pennant flying to the right from its top.
    return [rect(-0.75, -1.0, -0.55, 1.0), polygon([(-0.55, 1.0), (0.85, 0.55), (-0.55, 0.1)])]


def hourglass():
    # A narrow waist instead of a single touching point keeps the outline of one piece.
    return [polygon([(-0.8, 1.0), (0.8, 1.0), (0.12, 0.0), (0.8, -1.0), (-0.8, -1.0), (-0.12, 0.0)])]


# Shapes that come filled and outlined.
SHAPES = [
    ("circle", lambda: [circle()]),
    ("square", lambda: [rect(-0.85, -0.85, 0.85, 0.85)]),
    ("triangle up", lambda: [regular(3, 1.0, 90)]),
    ("triangle down", lambda: [regular(3, 1.0, 270)]),
    ("triangle left", lambda: [regular(3, 1.0, 180)]),
    ("triangle right", lambda: [regular(3, 1.0, 0)]),
    ("diamond", lambda: [regular(4, 1.0, 90)]),
    ("pentagon", lambda: [regular(5, 1.0, 90)]),
    ("hexagon", lambda: [regular(6, 1.0, 0)]),
    ("octagon", lambda: [regular(8, 1.0, 22.5)]),
    ("star", lambda: [star(5, 0.42)]),
    ("four-pointed star", lambda: [star(4, 0.38)]),
    ("six-pointed star", lambda: [star(6, 0.55)]),
    ("cross", lambda: plus(0.3)),
    ("diagonal cross", lambda: rotated(plus(0.3), 45)),
    ("flag", flag),
    ("arrow up", arrow_up),
    ("arrow down", lambda: rotated(arrow_up(), 180)),
    ("arrow left", lambda: rotated(arrow_up(), 90)),
    ("arrow right", lambda: rotated(arrow_up(), -90)),
    ("wide rectangle", lambda: [rect(-1.0, -0.55, 1.0, 0.55)]),
    ("tall rectangle", lambda: [rect(-0.55, -1.0, 0.55, 1.0)]),
    ("ellipse", lambda: [ellipse()]),
    ("hourglass", hourglass),
    ("bow tie", lambda: rotated(hourglass(), 90)),
    ("semicircle", lambda: [_semicircle()]),
    ("arrow up-right", lambda: rotated(arrow_up(), -45)),
    ("arrow up-left", lambda: rotated(arrow_up(), 45)),
    ("arrow down-left", lambda: rotated(arrow_up(), 135)),
    ("arrow down-right", lambda: rotated(arrow_up(), -135)),
    ("eight-pointed star", lambda: [star(8, 0.5)]),
    ("trapezoid", lambda: [polygon([(-1.0, -0.7), (1.0, -0.7), (0.55, 0.7), (-0.55, 0.7)])]),
    ("parallelogram", lambda: [polygon([(-1.0, -0.6), (0.45, -0.6), (1.0, 0.6), (-0.45, 0.6)])]),
    ("square flag", lambda: [rect(-0.75, -1.0, -0.55, 1.0), rect(-0.55, 0.1, 0.85, 1.0)]),
    ("double arrow", lambda: [polygon([(-1.0, 0.0), (-0.4, 0.6), (-0.4, 0.22), (0.4, 0.22), (0.4, 0.6),
                                       (1.0, 0.0), (0.4, -0.6), (0.4, -0.22), (-0.4, -0.22), (-0.4, -0.6)])]),
    ("vertical double arrow", lambda: rotated([polygon([(-1.0, 0.0), (-0.4, 0.6), (-0.4, 0.22), (0.4, 0.22),
                                                        (0.4, 0.6), (1.0, 0.0), (0.4, -0.6), (0.4, -0.22),
                                                        (-0.4, -0.22), (-0.4, -0.6)])], 90)),
]


def ellipse():
    c = fontforge.unitShape(0)
    c.transform(psMat.scale(1.0, 0.6))
    return c


def _semicircle():
    k = 0.5523
    c = fontforge.contour()
    c.moveTo(-1.0, -0.5)
    c.lineTo(1.0, -0.5)
    c.cubicTo((1.0, -0.5 + k), (k, 0.5), (0.0, 0.5))
    c.cubicTo((-k, 0.5), (-1.0, -0.5 + k), (-1.0, -0.5))
    c.closed = True
    return c


# Symbols drawn as one figure of their own: filled parts, parts drawn as outlines of
# the standard stroke, and an overall scale.
def special(name, fill=(), outline=(), scale=1.0):
    return {"name": name, "fill": list(fill), "outline": list(outline), "scale": scale}


def _specials():
    thin = 0.1
    bar = [rect(-thin, -1.0, thin, 1.0)]
    inner_plus = [rect(-thin, -0.7, thin, 0.7), rect(-0.7, -thin, 0.7, thin)]
    return [
        special("dot", fill=[circle(0.35)]),
        special("bullseye", fill=[circle(0.35)], outline=[circle(0.89)]),
        special("crosshair", fill=plus(thin), outline=[circle(0.6)]),
        special("circled cross", fill=inner_plus, outline=[circle(0.89)]),
        special("circled diagonal cross", fill=rotated(inner_plus, 45), outline=[circle(0.89)]),
        special("squared dot", fill=[circle(0.3)], outline=[rect(-0.8, -0.8, 0.8, 0.8)]),
        special("squared cross", fill=inner_plus, outline=[rect(-0.8, -0.8, 0.8, 0.8)]),
        special("squared diagonal cross", fill=rotated([rect(-thin, -1.0, thin, 1.0), rect(-1.0, -thin, 1.0, thin)], 45),
                outline=[rect(-0.8, -0.8, 0.8, 0.8)]),
        special("thin cross", fill=plus(thin)),
        special("thin diagonal cross", fill=rotated(plus(thin), 45)),
        special("asterisk", fill=bar + rotated(bar, 60) + rotated(bar, 120)),
        special("double circle", outline=[circle(0.89), circle(0.45)]),
        special("diamond with dot", fill=[circle(0.25)], outline=[regular(4, 0.9, 90)]),
        special("triangle with dot", fill=[circle(0.22, 0.0, -0.15)], outline=[regular(3, 0.9, 90)]),
        special("half-filled circle", fill=[_half_disc()], outline=[circle(0.89)]),
        special("half-filled square", fill=[rect(-0.85, -0.85, 0.0, 0.85)], outline=[rect(-0.8, -0.8, 0.8, 0.8)]),
        special("small square", fill=[rect(-0.4, -0.4, 0.4, 0.4)]),
        special("small diamond", fill=[regular(4, 0.5, 90)]),
        special("small triangle", fill=[regular(3, 0.55, 90)]),
        special("small star", fill=[star(5, 0.42)], scale=0.55),
        special("church", fill=[rect(-0.09, 0.1, 0.09, 1.0), rect(-0.45, 0.55, 0.45, 0.73), rect(-0.6, -1.0, 0.6, 0.1)]),
        special("house", fill=[polygon([(-0.8, -1.0), (0.8, -1.0), (0.8, 0.2), (0.0, 0.95), (-0.8, 0.2)])]),
    ]


def _half_disc():
    k = 0.5523
    c = fontforge.contour()
    c.moveTo(0.0, -0.89)
    c.lineTo(0.0, 0.89)
    c.cubicTo((-0.89 * k, 0.89), (-0.89, 0.89 * k), (-0.89, 0.0))
    c.cubicTo((-0.89, -0.89 * k), (-0.89 * k, -0.89), (0.0, -0.89))
    c.closed = True
    return c


# --- glyph building --------------------------------------------------------------

def place(glyph, layer, radius):
    """Scales unit shapes to `radius`, centres the ink box in the cell."""
    layer.transform(psMat.scale(radius))
    glyph.foreground = layer
    glyph.removeOverlap()
    xmin, ymin, xmax, ymax = glyph.boundingBox()
    glyph.transform(psMat.translate(CENTRE_X - (xmin + xmax) / 2, CENTRE_Y - (ymin + ymax) / 2))
    glyph.width = EM


def stroked(contours, width):
    """A layer with the outline band of `contours`; its outer edge follows the shape."""
    g = _scratch.createChar(-1, "scratch%d" % _scratch_count())
    l = fontforge.layer()
    for c in contours:
        l += c
    g.foreground = l
    g.stroke("circular", width, "butt", "miter")
    g.removeOverlap()
    out = g.foreground
    _scratch.removeGlyph(g)
    return out


_counter = [0]


def _scratch_count():
    _counter[0] += 1
    return _counter[0]


_scratch = fontforge.font()


def inset(contours, radius, width):
    """Shrinks shapes by half the stroke so an outlined symbol is as large as the filled one."""
    k = (radius - width / 2.0) / radius
    out = []
    for c in contours:
        c = c.dup()
        c.transform(psMat.scale(k))
        out.append(c)
    return out


def build_filled(glyph, contours, radius):
    l = fontforge.layer()
    for c in contours:
        c = c.dup()
        l += c
    place(glyph, l, radius)


def build_outlined(glyph, contours, radius, width):
    scaled = []
    for c in inset(contours, radius, width):
        c.transform(psMat.scale(radius))
        scaled.append(c)
    band = stroked(scaled, width)
    band.transform(psMat.scale(1.0 / radius))
    place(glyph, band, radius)


def build_special(glyph, spec, radius):
    l = fontforge.layer()
    for c in spec["fill"]:
        c = c.dup()
        c.transform(psMat.scale(spec["scale"]))
        l += c
    if spec["outline"]:
        scaled = []
        for c in spec["outline"]:
            c = c.dup()
            c.transform(psMat.scale(radius * spec["scale"]))
            scaled.append(c)
        band = stroked(scaled, STROKE * radius / LARGE)
        band.transform(psMat.scale(1.0 / radius))
        for c in band:
            l += c
    place(glyph, l, radius)


def symbol_table():
    """The symbols of codes 33..126, in order, as builder functions of (glyph, radius)."""
    table = []
    for name, make in SHAPES:
        table.append(("filled " + name, lambda g, r, make=make: build_filled(g, make(), r)))
    for name, make in SHAPES:
        table.append(("outlined " + name,
                      lambda g, r, make=make: build_outlined(g, make(), r, STROKE * r / LARGE)))
    for spec in _specials():
        table.append((spec["name"], lambda g, r, spec=spec: build_special(g, spec, r)))
    count = 126 - 33 + 1
    if len(table) < count:
        raise SystemExit("symbol table too short: %d of %d" % (len(table), count))
    table = table[:count]
    # The default symbol of new nodes is character 60: the filled circle.
    default = 60 - 33
    table[0], table[default] = table[default], table[0]
    return table


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "fonts", "MapSymbols.ttf")

    f = fontforge.font()
    f.encoding = "UnicodeBmp"
    f.em = EM
    f.ascent = ASCENT
    f.descent = DESCENT
    f.familyname = "Map Symbols"
    f.fontname = "MapSymbols"
    f.fullname = "Map Symbols"
    f.weight = "Regular"
    f.version = "1.0"
    f.copyright = "Generated by make-symbol-font.py of the map editor project."
    # One set of vertical metrics for every platform, so the cell is exactly one em.
    f.os2_winascent_add = False
    f.os2_windescent_add = False
    f.os2_typoascent_add = False
    f.os2_typodescent_add = False
    f.hhea_ascent_add = False
    f.hhea_descent_add = False
    f.os2_winascent = ASCENT
    f.os2_windescent = DESCENT
    f.os2_typoascent = ASCENT
    f.os2_typodescent = -DESCENT
    f.os2_typolinegap = 0
    f.hhea_ascent = ASCENT
    f.hhea_descent = -DESCENT
    f.hhea_linegap = 0
    f.os2_use_typo_metrics = True

    for code in (32, 160):
        g = f.createChar(code)
        g.width = EM

    small_codes = [c for c in range(161, 256) if c != 0xAD]
    for i, (name, build) in enumerate(symbol_table()):
        build(f.createChar(33 + i), LARGE)
        build(f.createChar(small_codes[i]), LARGE * SMALL_SCALE)

    for g in f.glyphs():
        g.correctDirection()
        g.round()

    f.generate(out)
    print("wrote", os.path.normpath(out))


if __name__ == "__main__":
    main()
