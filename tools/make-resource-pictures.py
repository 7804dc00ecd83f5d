#!/usr/bin/env python3
"""Draws the program's toolbar pictures and its splash picture and writes them as
resource data (resources/ToolbarPictures.cpp). The pictures are our own: simple
shapes on the toolbar face colour (0xC0C0C0, shown transparent). Run it after a
change to a picture; the output is committed."""
import sys

FACE = 0xC0C0C0
K, W, G, D = 0x000000, 0xFFFFFF, 0x808080, 0x404040
RED, GREEN, BLUE, YELLOW = 0xD02020, 0x208020, 0x2050C0, 0xF0D020
NAVY, TEAL, BROWN, SKY, SAND = 0x000080, 0x008080, 0x905020, 0x80C0F0, 0xF0E0A0


class Canvas:
    def __init__(self, w, h, bg=FACE):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        if fill is not None:
            for y in range(y0 + 1, y1):
                for x in range(x0 + 1, x1):
                    self.set(x, y, fill)
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def poly(self, pts, c, fill=None, closed=True):
        if fill is not None:
            ys = [p[1] for p in pts]
            for y in range(min(ys), max(ys) + 1):
                xs = []
                n = len(pts)
                for i in range(n):
                    (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
                    if (ya <= y < yb) or (yb <= y < ya):
                        xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
                xs.sort()
                for i in range(0, len(xs) - 1, 2):
                    for x in range(int(round(xs[i])), int(round(xs[i + 1])) + 1):
                        self.set(x, y, fill)
        n = len(pts)
        for i in range(n if closed else n - 1):
            self.line(*pts[i], *pts[(i + 1) % n], c)

    def ellipse(self, cx, cy, rx, ry, c, fill=None, start=0, end=360, chord=False, pie=False):
        import math
        steps = 96
        pts = []
        for i in range(steps + 1):
            a = math.radians(start + (end - start) * i / steps)
            pts.append((int(round(cx + rx * math.cos(a))), int(round(cy - ry * math.sin(a)))))
        if fill is not None:
            for y in range(cy - ry, cy + ry + 1):
                for x in range(cx - rx, cx + rx + 1):
                    if ((x - cx) / (rx + 0.5)) ** 2 + ((y - cy) / (ry + 0.5)) ** 2 <= 1:
                        self.set(x, y, fill)
        for i in range(steps):
            self.line(*pts[i], *pts[i + 1], c)
        if chord:
            self.line(*pts[0], *pts[-1], c)
        if pie:
            self.line(cx, cy, *pts[0], c)
            self.line(cx, cy, *pts[-1], c)

    def handles(self, pts, c=K):
        for x, y in pts:
            self.fill(x - 1, y - 1, x + 1, y + 1, c)


def arrow(c, x, y, col=K):
    # The pointer of the selection tools, tip at (x, y).
    pts = [(x, y), (x, y + 10), (x + 3, y + 7), (x + 5, y + 11), (x + 6, y + 10), (x + 4, y + 6), (x + 7, y + 6)]
    c.poly(pts, col, fill=W)


def magnifier(c, sign):
    c.ellipse(6, 6, 4, 4, K, fill=W)
    c.line(9, 9, 14, 14, K)
    c.line(10, 9, 15, 14, K)
    c.line(4, 6, 8, 6, K)
    if sign == '+':
        c.line(6, 4, 6, 8, K)


# ---- Standard toolbar (16 x 15): New, Open, Save, Cut, Copy, Paste, Print, About
def std_new(c):
    c.poly([(3, 1), (9, 1), (12, 4), (12, 14), (3, 14)], K, fill=W)
    c.poly([(9, 1), (9, 4), (12, 4)], K)

def std_open(c):
    c.poly([(1, 4), (5, 4), (6, 5), (12, 5), (12, 13), (1, 13)], K, fill=YELLOW)
    c.poly([(3, 8), (15, 8), (12, 13), (1, 13)], K, fill=0xC0A040)

def std_save(c):
    c.rect(1, 1, 14, 14, K, fill=NAVY)
    c.fill(4, 2, 11, 6, W)
    c.fill(4, 10, 11, 14, G)
    c.fill(9, 11, 10, 13, K)

def std_cut(c):
    c.line(5, 1, 9, 9, K)
    c.line(10, 1, 6, 9, K)
    c.ellipse(4, 11, 2, 2, NAVY)
    c.ellipse(11, 11, 2, 2, NAVY)

def std_copy(c):
    c.rect(1, 1, 8, 10, K, fill=W)
    c.rect(6, 4, 14, 14, K, fill=W)
    for y in (7, 9, 11):
        c.line(8, y, 12, y, NAVY)

def std_paste(c):
    c.rect(2, 2, 11, 14, K, fill=BROWN)
    c.fill(5, 1, 8, 3, G)
    c.rect(7, 6, 14, 14, K, fill=W)

def std_print(c):
    c.rect(4, 1, 11, 6, K, fill=W)
    c.rect(1, 6, 14, 11, K, fill=G)
    c.rect(4, 10, 11, 14, K, fill=W)
    c.set(12, 8, GREEN)

def std_about(c):
    c.ellipse(7, 7, 6, 6, NAVY, fill=SKY)
    c.fill(7, 3, 8, 4, NAVY)
    c.fill(7, 6, 8, 11, NAVY)


# ---- Main toolbar (16 x 15): Layer Control, Browse Data, Data Structure, Object Properties
def main_layers(c):
    for i, col in enumerate((GREEN, YELLOW, SKY)):
        y = 9 - 3 * i
        c.poly([(1, y), (8, y - 3), (14, y), (8, y + 3)], K, fill=col)

def main_browse(c):
    c.rect(1, 2, 14, 13, K, fill=W)
    c.fill(2, 3, 13, 4, NAVY)
    for y in (7, 10):
        c.line(1, y, 14, y, G)
    c.line(6, 5, 6, 12, G)

def main_structure(c):
    c.rect(2, 1, 13, 14, K, fill=W)
    for y in (4, 7, 10):
        c.fill(4, y, 5, y + 1, RED)
        c.line(7, y, 11, y, K)

def main_properties(c):
    c.rect(1, 1, 14, 14, K, fill=W)
    c.fill(2, 2, 13, 3, NAVY)
    c.ellipse(7, 9, 3, 3, K, fill=GREEN)


# ---- Drawing toolbar (18 x 16), in the order of its buttons
def d_line(c): c.line(2, 13, 15, 2, K)
def d_rect(c): c.rect(2, 3, 15, 12, K, fill=SKY)
def d_roundrect(c):
    c.poly([(5, 3), (12, 3), (15, 6), (15, 9), (12, 12), (5, 12), (2, 9), (2, 6)], K, fill=SKY)
def d_polygon(c): c.poly([(2, 6), (8, 2), (15, 5), (13, 13), (4, 12)], K, fill=GREEN)
def d_ellipse(c): c.ellipse(8, 7, 7, 5, K, fill=SKY)
def d_polyline(c):
    c.poly([(1, 12), (5, 4), (9, 10), (13, 3), (16, 8)], K, closed=False)
    c.handles([(5, 4), (9, 10), (13, 3)], RED)
def d_node(c):
    c.ellipse(8, 7, 3, 3, K, fill=RED)
def d_text(c):
    c.poly([(3, 13), (8, 2), (9, 2), (14, 13)], K, closed=False)
    c.line(5, 9, 12, 9, K)
def d_image(c):
    c.rect(1, 2, 16, 13, K, fill=SKY)
    c.poly([(2, 12), (7, 6), (10, 9), (12, 7), (15, 12)], GREEN, fill=GREEN)
    c.ellipse(12, 4, 1, 1, YELLOW, fill=YELLOW)
def d_addhandle(c):
    c.poly([(1, 12), (8, 4), (16, 12)], K, closed=False)
    c.handles([(8, 4)], RED)
    c.line(13, 1, 13, 5, K)
    c.line(11, 3, 15, 3, K)
def d_arc(c): c.ellipse(9, 10, 7, 7, K, start=20, end=160)
def d_chord(c): c.ellipse(9, 9, 7, 6, K, fill=None, start=20, end=200, chord=True)
def d_pie(c): c.ellipse(8, 8, 7, 6, K, fill=None, start=30, end=300, pie=True)
def d_spline(c):
    import math
    pts = [(1 + x, int(round(8 - 5 * math.sin(x / 15 * 2 * math.pi)))) for x in range(16)]
    c.poly(pts, K, closed=False)
def d_join(c):
    c.poly([(1, 12), (5, 5), (8, 8)], K, closed=False)
    c.poly([(10, 8), (13, 3), (16, 10)], K, closed=False)
    c.handles([(8, 8), (10, 8)], RED)
def d_split(c):
    c.poly([(2, 6), (8, 2), (15, 5), (13, 13), (4, 12)], K, fill=GREEN)
    c.line(7, 1, 10, 14, RED)
def d_deleteline(c):
    c.line(2, 13, 15, 2, K)
    c.line(4, 3, 13, 12, RED)
    c.line(13, 3, 4, 12, RED)


# ---- Tool toolbar (18 x 16): Select, Rectangle Select, Marquee Select, Polygon Select,
# Zoom In, Zoom Out, Move, Rule, View Entire Map, View Magnifier, Map Locator
def t_select(c): arrow(c, 5, 2)
def t_rectselect(c):
    for x in range(1, 16, 2):
        c.set(x, 1, K); c.set(x, 14, K)
    for y in range(1, 15, 2):
        c.set(1, y, K); c.set(15, y, K)
    arrow(c, 8, 4)
def t_marquee(c):
    import math
    for i in range(0, 48, 2):
        a = i / 48 * 2 * math.pi
        c.set(int(round(8 + 7 * math.cos(a))), int(round(7 + 6 * math.sin(a))), K)
    arrow(c, 8, 4)
def t_polyselect(c):
    pts = [(1, 5), (7, 1), (15, 4), (13, 14), (3, 12)]
    for i in range(len(pts)):
        (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
        n = max(abs(xb - xa), abs(yb - ya))
        for k in range(0, n, 2):
            c.set(xa + (xb - xa) * k // n, ya + (yb - ya) * k // n, K)
    arrow(c, 7, 4)
def t_zoomin(c): magnifier(c, '+')
def t_zoomout(c): magnifier(c, '-')
def t_move(c):
    c.poly([(8, 1), (11, 4), (9, 4), (9, 7), (12, 7), (12, 5), (15, 8), (12, 11), (12, 9), (9, 9), (9, 12),
            (11, 12), (8, 15), (5, 12), (7, 12), (7, 9), (4, 9), (4, 11), (1, 8), (4, 5), (4, 7), (7, 7),
            (7, 4), (5, 4)], K, fill=W)
def t_rule(c):
    c.poly([(1, 10), (12, 1), (16, 5), (5, 14)], K, fill=YELLOW)
    for i in range(3, 13, 2):
        c.line(1 + i, 10 - i * 9 // 11, 2 + i, 11 - i * 9 // 11, K)
def t_entire(c):
    c.rect(1, 1, 16, 14, K, fill=SKY)
    c.poly([(3, 11), (5, 4), (10, 3), (14, 7), (12, 12)], GREEN, fill=GREEN)
    for x, y in ((1, 1), (16, 1), (1, 14), (16, 14)):
        c.fill(x - 1 if x > 8 else x, y - 1 if y > 8 else y, (x if x > 8 else x + 1), (y if y > 8 else y + 1), RED)
def t_magnifierview(c):
    c.rect(1, 1, 16, 14, K, fill=W)
    c.ellipse(8, 7, 4, 4, NAVY, fill=SKY)
    c.line(11, 10, 15, 13, K)
def t_locator(c):
    c.rect(1, 1, 16, 14, K, fill=SKY)
    c.poly([(3, 11), (5, 4), (10, 3), (14, 7), (12, 12)], GREEN, fill=GREEN)
    c.rect(6, 5, 11, 10, RED)


STRIPS = [
    ("kStandardPictures", "IDR_MAINFRAME", 16, 15,
     [std_new, std_open, std_save, std_cut, std_copy, std_paste, std_print, std_about]),
    ("kMainPictures", "IDR_TOOLBAR_MAIN", 16, 15, [main_layers, main_browse, main_structure, main_properties]),
    ("kDrawingPictures", "IDR_TOOLBAR_DRAWING", 18, 16,
     [d_line, d_rect, d_roundrect, d_polygon, d_ellipse, d_polyline, d_node, d_text, d_image, d_addhandle,
      d_arc, d_chord, d_pie, d_spline, d_join, d_split, d_deleteline]),
    ("kToolPictures", "IDR_TOOLBAR_TOOL", 18, 16,
     [t_select, t_rectselect, t_marquee, t_polyselect, t_zoomin, t_zoomout, t_move, t_rule, t_entire,
      t_magnifierview, t_locator]),
]


def strip(w, h, painters):
    rows = [[] for _ in range(h)]
    for p in painters:
        c = Canvas(w, h)
        p(c)
        for y in range(h):
            rows[y] += c.px[y]
    return rows


def splash():
    # A map sheet: sea, two islands with contour lines, a grid and a road.
    w, h = 400, 250
    c = Canvas(w, h, SKY)
    import math
    for (cx, cy, rx, ry, col) in ((130, 120, 95, 70, SAND), (300, 90, 70, 50, SAND)):
        for k, shade in enumerate((col, 0xB0D890, 0x88C070, 0x609850)):
            c.ellipse(cx, cy, max(rx - 18 * k, 2), max(ry - 14 * k, 2), shade, fill=shade)
    for x in range(0, w, 50):
        c.line(x, 0, x, h - 1, 0x6090B0)
    for y in range(0, h, 50):
        c.line(0, y, w - 1, y, 0x6090B0)
    pts = [(40, 200), (90, 150), (150, 140), (210, 110), (260, 95), (330, 80)]
    for i in range(len(pts) - 1):
        for d in (-1, 0, 1):
            c.line(pts[i][0], pts[i][1] + d, pts[i + 1][0], pts[i + 1][1] + d, RED)
    for (x, y) in pts:
        c.ellipse(x, y, 4, 4, K, fill=YELLOW)
    c.fill(0, 215, w - 1, h - 1, NAVY)
    c.rect(0, 0, w - 1, h - 1, K)
    return w, h, c.px


def runs(rows):
    out, last, n = [], None, 0
    for row in rows:
        for p in row:
            if p == last and n < 0xFFFF:
                n += 1
            else:
                if last is not None:
                    out.append((n, last))
                last, n = p, 1
    out.append((n, last))
    return out


def main(path):
    lines = ["// Generated by tools/make-resource-pictures.py: the pictures of the four toolbars and",
             "// the splash screen, drawn by that script. Toolbar pixels of the face colour",
             "// (0xC0C0C0) show transparent. Each picture is stored as runs of one colour and",
             "// expanded at compile time, so the program holds plain pixel data.",
             "#include \"platform/base/ResourceBitmaps.h\"",
             "#include \"resources/resource.h\"",
             "", "#include <array>", "", "namespace {", "",
             "struct Run {", "    WORD count;", "    DWORD color;", "};", "",
             "template <size_t N, size_t R>",
             "constexpr std::array<DWORD, N> Expand(const Run (&runs)[R])",
             "{",
             "    std::array<DWORD, N> pixels{};",
             "    size_t i = 0;",
             "    for (const Run& r : runs)",
             "        for (WORD k = 0; k < r.count && i < N; ++k)",
             "            pixels[i++] = r.color;",
             "    return pixels;",
             "}", ""]
    pictures = [(name, rid, w * len(p), h, strip(w, h, p)) for name, rid, w, h, p in STRIPS]
    sw, sh, spx = splash()
    pictures.append(("kSplashPicture", "IDB_SPLASH", sw, sh, spx))
    for name, rid, w, h, rows in pictures:
        rl = runs(rows)
        assert sum(n for n, _ in rl) == w * h
        lines.append(f"constexpr Run {name}Runs[] = {{")
        cur = "   "
        for n, col in rl:
            item = f" {{{n}, 0x{col:06X}}},"
            if len(cur) + len(item) > 116:
                lines.append(cur)
                cur = "   "
            cur += item
        lines.append(cur)
        lines.append("};")
        lines.append(f"constexpr auto {name}Pixels = Expand<{w * h}>({name}Runs);")
        lines.append(f"const ResourceBitmap {name} = {{{w}, {h}, {name}Pixels.data()}};")
        lines.append(f"const ResourceBitmapRegistration {name}Registration({rid}, {name});")
        lines.append("")
    lines.append("} // namespace")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/ToolbarPictures.cpp")
