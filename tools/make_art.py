#!/usr/bin/env python3
"""Draws the program's icon (app/plotra.ico) and About-box logo (app/logo.bmp).

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


if __name__ == "__main__":
    make_logo("app/logo.bmp")
    make_icon("app/plotra.ico")
