#!/usr/bin/env python3
"""Draws the program's icon (app/plotra.ico), About-box logo (app/logo.bmp) and
the grid's three mouse cursors (app/grid_resize.cur, grid_row.cur, grid_column.cur).

Both pictures are our own: a small rising line graph on axes, and for the logo
the program's name beside it in a blocky 5x7 letter face. Run from the
repository's top folder; the output is committed, so the build does not need it.
"""
import struct

FONT = {  # 5 columns x 7 rows, '#' is ink
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


def line(pixels, x0, y0, x1, y1, value=1, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for dx in range(width):
            for dy in range(width):
                if 0 <= y + dy < len(pixels) and 0 <= x + dx < len(pixels[0]):
                    pixels[y + dy][x + dx] = value


def graph_glyph(pixels, left, top, size, width=1):
    """Axes and a rising line with square markers, in a size x size box."""
    bottom = top + size - 1
    line(pixels, left, top, left, bottom, width=width)
    line(pixels, left, bottom, left + size - 1, bottom, width=width)
    points = [(0.15, 0.75), (0.35, 0.55), (0.55, 0.62), (0.75, 0.3), (0.95, 0.12)]
    coords = [(left + round(px * (size - 1)), top + round(py * (size - 1))) for px, py in points]
    for (x0, y0), (x1, y1) in zip(coords, coords[1:]):
        line(pixels, x0, y0, x1, y1, width=width)
    for x, y in coords:
        m = max(1, size // 14)
        for dy in range(-m, m + 1):
            for dx in range(-m, m + 1):
                if 0 <= y + dy < len(pixels) and 0 <= x + dx < len(pixels[0]):
                    pixels[y + dy][x + dx] = 1


def make_logo(path, width=157, height=28):
    pixels = [[0] * width for _ in range(height)]
    graph_glyph(pixels, 4, 2, 24)
    scale = 3
    x = 38
    for ch in "PLOTRA":
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == '#':
                    for dy in range(scale):
                        for dx in range(scale):
                            pixels[3 + row * scale + dy][x + col * scale + dx] = 1
        x += 6 * scale
    # 1 bit per pixel, bottom-up rows padded to 4 bytes; palette 0 white, 1 black.
    stride = ((width + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if pixels[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    data = b"".join(rows)
    palette = bytes([255, 255, 255, 0, 0, 0, 0, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(data), 2835, 2835, 2, 2)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def icon_image(size):
    """One 32-bit icon image: white page, blue frame, black graph."""
    ink = [[0] * size for _ in range(size)]
    graph_glyph(ink, size // 6, size // 6, size - 2 * (size // 6), width=max(1, size // 16))
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            edge = x in (0, size - 1) or y in (0, size - 1)
            if edge:
                pixels += bytes([160, 64, 0, 255])
            elif ink[y][x]:
                pixels += bytes([0, 0, 0, 255])
            else:
                pixels += bytes([255, 255, 255, 255])
    mask = bytes(((size + 31) // 32) * 4 * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + bytes(pixels) + mask


def make_icon(path):
    images = [icon_image(32), icon_image(16)]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip((32, 16), images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(header + entries + b"".join(images))


def fill(shape, cells):
    for x, y in cells:
        if 0 <= x < 32 and 0 <= y < 32:
            shape[y][x] = 1


def resize_shape():
    """A vertical bar with an arrow to the left and one to the right, centred at (15, 15)."""
    shape = [[0] * 32 for _ in range(32)]
    fill(shape, [(x, y) for x in (14, 16) for y in range(7, 24)])
    fill(shape, [(x, 15) for x in range(6, 25) if x != 15])
    for d in range(1, 5):
        fill(shape, [(6 + d, 15 - d), (6 + d, 15 + d), (24 - d, 15 - d), (24 - d, 15 + d)])
    return shape


def arrow_right_shape():
    """A thick arrow pointing right, its tip near (15, 15)."""
    shape = [[0] * 32 for _ in range(32)]
    fill(shape, [(x, y) for x in range(4, 11) for y in range(13, 18)])
    for x in range(11, 17):
        half = 16 - x
        fill(shape, [(x, y) for y in range(15 - half - 1, 15 + half + 2)])
    return shape


def arrow_down_shape():
    """A thick arrow pointing down, its tip near (15, 18)."""
    right = arrow_right_shape()
    shape = [[0] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            if right[y][x]:
                fill(shape, [(y, x + 2)])
    return shape


def make_cursor(path, shape, hot_x, hot_y):
    """A 32 x 32 monochrome cursor: black ink with a white outline, the rest clear."""
    outline = [[0] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            if shape[y][x]:
                continue
            near = any(shape[y + dy][x + dx] for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                       if 0 <= y + dy < 32 and 0 <= x + dx < 32)
            outline[y][x] = 1 if near else 0
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):
        xor_row, and_row = bytearray(4), bytearray(4)
        for x in range(32):
            if outline[y][x]:
                xor_row[x // 8] |= 0x80 >> (x % 8)
            if not shape[y][x] and not outline[y][x]:
                and_row[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xor_row))
        and_rows.append(bytes(and_row))
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    bits = b"".join(xor_rows) + b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(bits), 0, 0, 2, 2)
    image = info + palette + bits
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


if __name__ == "__main__":
    make_logo("app/logo.bmp")
    make_icon("app/plotra.ico")
    make_cursor("app/grid_resize.cur", resize_shape(), 15, 15)
    make_cursor("app/grid_row.cur", arrow_right_shape(), 15, 15)
    make_cursor("app/grid_column.cur", arrow_down_shape(), 15, 18)
