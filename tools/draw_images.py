# Draws the application icon (book.ico) and the toolbar strip (toolbar.bmp) pixel by pixel.
import math
import os
import struct
import sys

CLEAR = (0, 0, 0, 0)
K, W, G, L = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)
Y, DY, N, B = (255, 255, 0), (128, 128, 0), (0, 0, 128), (0, 0, 255)


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.p = [[rgba(fill)] * w for _ in range(h)]
        self.ox = self.oy = 0  # lets one picture function draw into any cell of a strip

    def px(self, x, y, c):
        x, y = x + self.ox, y + self.oy
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = rgba(c)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.px(x, y, c)

    def frame(self, x0, y0, x1, y1, c, fill=None):
        if fill:
            self.rect(x0, y0, x1, y1, fill)
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.px(x0, y0, c)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err, x0 = err + dy, x0 + sx
            if e2 <= dx:
                err, y0 = err + dx, y0 + sy

    def poly(self, pts, c, outline=None):
        # Fills pixel centres inside the polygon; the outline then covers the edge pixels exactly.
        ys = [y for _, y in pts]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1]):
                if ya != yb and min(ya, yb) <= y < max(ya, yb):
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a), math.floor(b) + 1):
                    self.px(x, y, c)
        for a, b in zip(pts, pts[1:] + pts[:1]):
            self.line(*a, *b, outline or c)

    def ring(self, cx, cy, r, c):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                if abs(math.hypot(x - cx, y - cy) - r) < 0.6:
                    self.px(x, y, c)

    def art(self, x0, y0, rows, palette):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in palette:
                    self.px(x0 + x, y0 + y, palette[ch])


def rgba(c):
    return c if len(c) == 4 else c + (255,)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


# ---- icon: a closed blue book, hand-placed per size so the small ones stay crisp ----

# cover rect, page depth (diagonal layers behind the cover), spine width, title bar rect, second gold line
BOOK = {
    32: ((3, 1, 23, 26), 4, 4, (10, 6, 19, 9), (11, 18, 12)),
    24: ((2, 1, 17, 19), 3, 3, (8, 5, 14, 7), (9, 13, 9)),
    16: ((1, 0, 11, 13), 2, 2, (5, 3, 9, 4), None),
}


def book(size):
    c = Canvas(size, size, CLEAR)
    (x0, y0, x1, y1), d, sw, (tx0, ty0, tx1, ty1), sub = BOOK[size]
    back, edge = (16, 32, 96), (120, 100, 70)
    cream = [(255, 252, 236), (226, 214, 184), (250, 244, 222)]
    # Cover copies shifted down-right, far to near: the back cover then the page block, whose
    # visible right column and bottom row form the fore edge with a 45-degree corner.
    for k in range(d, 0, -1):
        c.rect(x0 + k, y0 + k, x1 + k, y1 + k, back if k == d else cream[(k - 1) % 3])
        if k < d:
            c.px(x1 + k, y0 + k, edge)
            c.px(x0 + k, y1 + k, edge)
    # Front cover: blue shading from light top-left to deep bottom-right.
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            t = ((x - x0) / (x1 - x0) + (y - y0) / (y1 - y0)) / 2
            c.px(x, y, mix((70, 130, 230), (25, 70, 170), t))
    c.frame(x0, y0, x1, y1, (10, 30, 90))
    # Spine band with a highlight so the binding reads as rounded.
    c.rect(x0 + 1, y0 + 1, x0 + sw - 1, y1 - 1, (20, 50, 130))
    c.line(x0 + 1, y0 + 1, x0 + 1, y1 - 1, (60, 100, 190) if sw > 2 else (40, 75, 160))
    c.line(x0 + sw, y0 + 1, x0 + sw, y1 - 1, (10, 30, 90))
    c.line(x0 + sw + 1, y0 + 1, x0 + sw + 1, y1 - 1, (110, 160, 240))
    # Gold title plate; too thin for a border at 16 pixels, so just two tones there.
    if ty1 - ty0 > 1:
        c.frame(tx0, ty0, tx1, ty1, (150, 110, 20), (235, 190, 60))
        c.line(tx0 + 1, ty0 + 1, tx1 - 1, ty0 + 1, (255, 230, 130))
    else:
        c.line(tx0, ty0, tx1, ty0, (255, 220, 110))
        c.line(tx0, ty1, tx1, ty1, (200, 150, 30))
    if sub:
        c.line(sub[0], sub[2], sub[1], sub[2], (220, 175, 50))
    # Soften the outer corners of the cover.
    for x, y in ((x0, y0), (x0, y1)):
        c.px(x, y, (10, 30, 90, 120))
    return c


def ico_image(c):
    stride = (c.w + 31) // 32 * 4
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(c.p) for r, g, b, a in row)
    mask = b""
    for row in reversed(c.p):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (stride * 8 - 1 - x)
        mask += bits.to_bytes(stride, "big")
    head = struct.pack("<IiiHHIIiiII", 40, c.w, 2 * c.h, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return head + pixels + mask


def write_ico(path, canvases):
    images = [ico_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


# ---- toolbar: eight 16x16 buttons on button-face grey, classic outlined style ----

def new_page(c):
    c.poly([(3, 1), (8, 1), (12, 5), (12, 14), (3, 14)], W, K)
    c.poly([(8, 1), (8, 5), (12, 5)], L, K)
    c.line(4, 15, 13, 15, G)
    c.line(13, 6, 13, 15, G)


def open_folder(c):
    c.poly([(1, 3), (2, 2), (5, 2), (6, 3), (12, 3), (12, 7), (4, 7), (1, 13)], DY, K)
    c.line(2, 4, 11, 4, (192, 192, 0))
    c.poly([(1, 13), (4, 7), (15, 7), (12, 13)], Y, K)
    c.line(5, 8, 13, 8, (255, 255, 160))


def floppy(c):
    c.poly([(1, 1), (13, 1), (14, 2), (14, 14), (1, 14)], N, K)
    c.frame(4, 1, 11, 7, K, W)
    c.line(5, 3, 10, 3, G)
    c.line(5, 5, 10, 5, G)
    c.frame(4, 10, 11, 14, K, L)
    c.rect(5, 11, 6, 13, N)
    c.px(2, 2, (64, 64, 192))


def printer(c):
    c.frame(4, 1, 11, 7, K, W)
    c.line(5, 3, 9, 3, G)
    c.line(5, 5, 10, 5, G)
    c.frame(1, 7, 14, 12, K, L)
    c.line(2, 8, 13, 8, W)
    c.line(2, 11, 13, 11, G)
    c.line(3, 10, 10, 10, K)
    c.px(12, 9, (0, 255, 0))
    c.frame(2, 12, 13, 14, K, G)


def scissors(c):
    # Open blades crossing at the pivot, each running on into the opposite handle ring.
    for s in (1, -1):
        m = lambda x: x if s > 0 else 15 - x
        c.line(m(4), 0, m(7), 7, G)
        c.line(m(5), 0, m(8), 7, K)
        c.line(m(8), 8, m(10), 10, K)
        c.ring(m(11), 12, 2.2, K)
    c.rect(7, 7, 8, 8, K)


def copy_pages(c):
    for x, y in ((1, 1), (6, 6)):
        c.poly([(x, y), (x + 5, y), (x + 8, y + 3), (x + 8, y + 9), (x, y + 9)], W, K)
        c.poly([(x + 5, y), (x + 5, y + 3), (x + 8, y + 3)], L, K)
        for ly in (y + 3, y + 5, y + 7):
            c.line(x + 2, ly, x + (3 if ly == y + 3 else 6), ly, N)


def paste(c):
    c.frame(1, 2, 11, 14, K, (128, 64, 0))
    c.rect(2, 3, 10, 13, (176, 112, 48))
    c.frame(4, 1, 8, 3, K, L)
    c.line(5, 0, 7, 0, K)
    c.poly([(7, 6), (11, 6), (14, 9), (14, 15), (7, 15)], W, K)
    c.poly([(11, 6), (11, 9), (14, 9)], L, K)
    for ly in (9, 11, 13):
        c.line(9, ly, 9 if ly == 9 else 12, ly, N)


def question(c):
    mark = ["..BBBBB..", ".BBBBBBB.", "BBB...BBB", "BBB...BBB", "......BBB", ".....BBB.",
            "....BBB..", "...BBB...", "...BBB...", "...BBB...", ".........", "...BBB...",
            "...BBB...", "...BBB..."]
    c.art(4, 2, mark, {"B": N})  # navy copy one pixel down-right gives the raised look
    c.art(3, 1, mark, {"B": B})


TOOLBAR = [new_page, open_folder, floppy, printer, scissors, copy_pages, paste, question]


def write_bmp(path, c):
    stride = (c.w * 3 + 3) // 4 * 4
    rows = b"".join(b"".join(bytes((b, g, r)) for r, g, b, _ in row).ljust(stride, b"\0")
                    for row in reversed(c.p))
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + rows)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources"
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "book.ico"), [book(s) for s in (32, 24, 16)])
    strip = Canvas(129, 16, L)
    for i, draw in enumerate(TOOLBAR):
        strip.ox = 16 * i
        draw(strip)
    write_bmp(os.path.join(out, "toolbar.bmp"), strip)


if __name__ == "__main__":
    main()
