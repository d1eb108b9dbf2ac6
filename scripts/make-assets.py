#!/usr/bin/python3
"""Draws the player's two pictures: the 900 x 600 background (green meadow and
hills under a pale sky, baseline JPEG) and the program icon (a green compact disc,
five 32-bit images with 1-bit masks: 128, 64, 48, 32, 16, uncompressed DIBs), and the
same icon as PNG files for the desktop's icon theme.
Run from anywhere; writes assets/background.jpg, assets/tazmel.ico and assets/icons/."""
import math
import os
import random
import struct

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")


def background():
    w, h = 900, 600
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        t = y / h
        for x in range(w):
            # sky fading from pale mint to light green
            px[x, y] = (int(200 - 60 * t), int(235 - 30 * t), int(205 - 80 * t))
    draw = ImageDraw.Draw(img)
    rnd = random.Random(7)
    # three rows of hills, darker toward the front
    for row, (base, amp, col) in enumerate([(300, 60, (96, 150, 80)),
                                            (380, 50, (60, 128, 52)),
                                            (460, 40, (34, 100, 36))]):
        phase = rnd.random() * 6
        pts = [(0, h)]
        for x in range(0, w + 1, 6):
            y = base - amp * math.sin(x / (140 + 40 * row) + phase) - 18 * math.sin(x / 37 + row)
            pts.append((x, y))
        pts.append((w, h))
        draw.polygon(pts, fill=col)
    # grass and leaves: small strokes in many greens
    for _ in range(9000):
        x = rnd.randrange(w)
        y = rnd.randrange(330, h)
        g = rnd.randrange(90, 200)
        draw.line((x, y, x + rnd.randrange(-3, 4), y - rnd.randrange(4, 14)),
                  fill=(rnd.randrange(20, 90), g, rnd.randrange(20, 70)))
    img = img.filter(ImageFilter.GaussianBlur(0.6))
    img.save(os.path.join(HERE, "background.jpg"), "JPEG", quality=88, progressive=False)


def disc(size):
    """RGBA picture of a green compact disc, drawn large and scaled down."""
    s = size * 4
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    m = s * 0.03
    d.ellipse((m, m, s - m, s - m), fill=(30, 120, 40, 255))
    for i in range(12):
        r = s / 2 - m - i * s * 0.025
        shade = 150 + (i * 9) % 80
        d.ellipse((s / 2 - r, s / 2 - r, s / 2 + r, s / 2 + r),
                  outline=(40, shade, 60, 255), width=max(1, s // 90))
    # a light sheen across the disc
    d.pieslice((m, m, s - m, s - m), 200, 250, fill=(170, 235, 170, 200))
    hub = s * 0.18
    d.ellipse((s / 2 - hub, s / 2 - hub, s / 2 + hub, s / 2 + hub), fill=(200, 230, 200, 255))
    hole = s * 0.07
    d.ellipse((s / 2 - hole, s / 2 - hole, s / 2 + hole, s / 2 + hole), fill=(0, 0, 0, 0))
    return img.resize((size, size), Image.LANCZOS)


def dib(img):
    size = img.width
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    row_bytes = ((size + 31) // 32) * 4
    px = img.load()
    for y in range(size - 1, -1, -1):
        bits = bytearray(row_bytes)
        for x in range(size):
            r, g, b, a = px[x, y]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def icon():
    sizes = [128, 64, 48, 32, 16]
    images = [dib(disc(n)) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(os.path.join(HERE, "tazmel.ico"), "wb") as f:
        f.write(out)


def theme_icons():
    for n in [16, 32, 48, 64, 128]:
        folder = os.path.join(HERE, "icons", "hicolor", f"{n}x{n}", "apps")
        os.makedirs(folder, exist_ok=True)
        disc(n).save(os.path.join(folder, "tazmel-mp3.png"), optimize=True)


if __name__ == "__main__":
    background()
    icon()
    theme_icons()
