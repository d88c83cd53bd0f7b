#!/usr/bin/env python3
"""Draws Corvel's icons and cursors: XPM files for the windows, PNG files for
the desktop's icon theme.

The pictures are kept as this script and its output, both in the repository:
run it again after changing a drawing (python3 scripts/draw_icons.py).

ui/qt/icons, compiled into the Qt windows:
  books32.xpm, books16.xpm   application icon: a row of three books
  hand.xpm                   32x32 pointing hand, fingertip at (12, 1)
  handmono.xpm               32x32 black-and-white hand, fingertip at (6, 0)
  block32.xpm, block16.xpm   equals-line window icon: a slanted red block
ui/win32/res, compiled into Corvel.exe (the Win32 windows):
  corvel.ico, other.ico      the books and the block, 32x32 and 16x16, 16 colours
  hand.cur, linkhand.cur     the two hands as cursors with their fingertips as hot spots
app/icons, installed into the hicolor icon theme:
  corvelN.png                the books N pixels square, N in THEME_SIZES: drawn
                             at that size up to 48, the 32x32 picture's pixels
                             enlarged above (pixel art keeps its look)
"""

import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

# The icon theme sizes installed; app/CMakeLists.txt installs the same list.
THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)

# The 16 colours of the classic VGA palette; every picture uses only these.
PALETTE = {
    ".": None,        # transparent
    "k": "#000000", "r": "#800000", "g": "#008000", "y": "#808000",
    "b": "#000080", "m": "#800080", "c": "#008080", "s": "#C0C0C0",
    "d": "#808080", "R": "#FF0000", "G": "#00FF00", "Y": "#FFFF00",
    "B": "#0000FF", "M": "#FF00FF", "C": "#00FFFF", "w": "#FFFFFF",
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [["."] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, outline="k"):
        """Filled rectangle with corners included, outlined."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.put(x, y, outline if edge and outline else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.put(x, y, c)

    def polygon(self, points, fill, outline="k"):
        inside = [[self._inside(points, x + 0.5, y + 0.5) for x in range(self.size)]
                  for y in range(self.size)]
        for y in range(self.size):
            for x in range(self.size):
                if not inside[y][x]:
                    continue
                edge = any(not (0 <= x + dx < self.size and 0 <= y + dy < self.size)
                           or not inside[y + dy][x + dx]
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.put(x, y, outline if edge else fill)

    @staticmethod
    def _inside(points, x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit

    def xpm(self, name, colours=PALETTE):
        used = sorted({c for row in self.px for c in row})
        lines = [f'"{self.size} {self.size} {len(used)} 1",']
        for c in used:
            value = colours[c] or "None"
            lines.append(f'"{c} c {value}",')
        rows = [f'"{"".join(row)}"' for row in self.px]
        body = "\n".join(lines + [r + "," for r in rows[:-1]] + [rows[-1]])
        return f"/* XPM */\nstatic const char* const {name}[] = {{\n{body}\n}};\n"

    def enlarged(self, factor):
        """The picture with each pixel made factor x factor pixels."""
        big = Canvas(self.size * factor)
        big.px = [[c for c in row for _ in range(factor)] for row in self.px for _ in range(factor)]
        return big

    def png(self, colours=PALETTE):
        """The picture as an 8-bit RGBA PNG file, transparent where unpainted."""
        def rgba(c):
            value = colours[c]
            return bytes.fromhex(value[1:]) + b"\xff" if value else b"\0\0\0\0"
        rows = b"".join(b"\0" + b"".join(rgba(c) for c in row) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


    def dib(self, colours=PALETTE):
        """The picture as the bitmap of an icon or cursor file: a 4-bit
        bitmap of the 16 colours, bottom row first, then its transparency
        mask (1 where unpainted)."""
        order = [c for c in PALETTE if PALETTE[c]]
        index = {c: order.index(c) if c in order else 0 for c in PALETTE}
        for c, value in colours.items():  # a picture's own colours map to the palette's
            if value:
                index[c] = [PALETTE[o] for o in order].index(value)
        header = struct.pack("<IiiHHIIiiII", 40, self.size, 2 * self.size, 1, 4, 0, 0, 0, 0, 16, 0)
        palette = b"".join(bytes.fromhex(PALETTE[c][1:])[::-1] + b"\0" for c in order)

        def packed(row, bits):
            value = 0
            for x, v in enumerate(row):
                value |= v << ((8 // bits - 1 - x % (8 // bits)) * bits + 8 * (x // (8 // bits)))
            width = (len(row) * bits + 31) // 32 * 4
            return b"".join(
                bytes([(value >> (8 * i)) & 0xFF]) for i in range(width))
        rows = self.px[::-1]
        colour = b"".join(packed([index[c] if colours[c] else 0 for c in row], 4) for row in rows)
        mask = b"".join(packed([0 if colours[c] else 1 for c in row], 1) for row in rows)
        return header + palette + colour + mask


def icon_file(canvases, hot_spot=None, colours=PALETTE):
    """An .ico file of the pictures, or a .cur file with the hot spot."""
    kind = 1 if hot_spot is None else 2
    images = [c.dib(colours) for c in canvases]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        planes, bits = (1, 4) if hot_spot is None else hot_spot
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, 16, 0,
                           planes, bits, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def books(size):
    """Three books side by side on a shelf, spines facing the viewer."""
    c = Canvas(size)
    s = size / 32
    spines = [("R", "r", 3, 11, 6), ("G", "g", 12, 20, 3), ("B", "b", 21, 29, 8)]
    shelf = round(28 * s)
    for light, dark, x0, x1, top in spines:
        x0, x1, top = round(x0 * s), round(x1 * s) - 1, round(top * s)
        c.rect(x0, top, x1, shelf - 1, light)
        c.hline(x0 + 1, x1 - 1, top + 1, "w")            # pages seen at the top
        for band in (0.3, 0.75):                           # gilt bands on the spine
            y = round(top + band * (shelf - top))
            c.hline(x0 + 1, x1 - 1, y, "Y")
        for y in range(top + 2, shelf - 1):                # shaded right edge
            c.put(x1 - 1, y, dark)
    c.rect(round(1 * s), shelf, size - 1 - round(1 * s), min(size - 1, shelf + max(1, round(2 * s))), "y")
    return c


def theme_icon(size):
    """The books for the icon theme at one of its sizes."""
    return books(32).enlarged(size // 32) if size > 48 else books(size)


def hand(tip_x, tip_y, thumb, fill):
    """A hand pointing up with its index fingertip at (tip_x, tip_y)."""
    c = Canvas(32)
    fx0, fx1 = tip_x - 2, tip_x + 2                        # index finger, 5 wide
    c.polygon([(fx0, tip_y + 2), (tip_x - 1, tip_y), (tip_x + 2, tip_y),
               (fx1 + 1, tip_y + 2), (fx1 + 1, tip_y + 13), (fx0, tip_y + 13)], fill)
    palm = [(fx0 - thumb, tip_y + 14), (fx0, tip_y + 12), (fx1 + 10, tip_y + 11),
            (fx1 + 11, tip_y + 13), (fx1 + 11, tip_y + 21), (fx1 + 8, tip_y + 27),
            (fx0 + 1, tip_y + 27), (fx0 - 2, tip_y + 21)]
    c.polygon(palm, fill)
    # The finger drawn again over the palm, and the knuckles of the others.
    for x in range(fx0 + 1, fx1):
        for y in range(tip_y + 2, tip_y + 13):
            c.put(x, y, fill)
    c.put(tip_x, tip_y, "k")
    for kx in (fx1 + 3, fx1 + 6, fx1 + 9):
        for y in range(tip_y + 12, tip_y + 16):
            c.put(kx, y, "k")
    for x in range(fx0 - thumb + 1, fx0):                  # the thumb's crease
        c.put(x, tip_y + 17, "k")
    return c


def block(size):
    """A red block leaning to the right, with a lit top face."""
    c = Canvas(size)
    s = size / 32
    front = [(4, 28), (10, 8), (22, 8), (16, 28)]
    top = [(10, 8), (14, 3), (26, 3), (22, 8)]
    side = [(16, 28), (22, 8), (26, 3), (21, 23)]
    for shape, colour in ((front, "R"), (top, "M"), (side, "r")):
        c.polygon([(x * s, y * s) for x, y in shape], colour)
    return c


def main():
    pictures = {
        "books32": books(32), "books16": books(16),
        "hand": hand(12, 1, 7, "w"), "handmono": hand(6, 0, 3, "w"),
        "block32": block(32), "block16": block(16),
    }
    mono = {".": None, "k": "#000000", "w": "#FFFFFF"}
    for name, canvas in pictures.items():
        colours = mono if name == "handmono" else PALETTE
        with open(os.path.join(ROOT, "ui", "qt", "icons", f"{name}.xpm"), "w") as out:
            out.write(canvas.xpm(f"{name}_xpm", colours))
    res = os.path.join(ROOT, "ui", "win32", "res")
    os.makedirs(res, exist_ok=True)
    files = {
        "corvel.ico": icon_file([books(32), books(16)]),
        "other.ico": icon_file([block(32), block(16)]),
        "hand.cur": icon_file([pictures["hand"]], (12, 1)),
        "linkhand.cur": icon_file([pictures["handmono"]], (6, 0), mono),
    }
    for name, data in files.items():
        with open(os.path.join(res, name), "wb") as out:
            out.write(data)
    for size in THEME_SIZES:
        with open(os.path.join(ROOT, "app", "icons", f"corvel{size}.png"), "wb") as out:
            out.write(theme_icon(size).png())


if __name__ == "__main__":
    main()
