#!/usr/bin/env python3
"""Draws the program's icons: a small globe of ocean and land, lit from the
upper left, in the 16 colours of the standard VGA palette.

Writes app/icons/morva.ico (32 x 32 and 16 x 16), app/icons/morva_small.ico
(16 x 16), each 4 bits per pixel with its transparency mask, and
app/icons/morva.png (the 32 x 32 picture, for desktops). Python 3 standard
library only; the output is the same on every run.

Usage: app/icons/make_icons.py [OUTPUT_DIR]   (default: the folder of this script)
"""

import math
import os
import struct
import sys
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, GREEN, OLIVE, NAVY, TEAL, SILVER, LIME, BLUE, WHITE = 0, 2, 3, 4, 6, 7, 10, 12, 15

LIGHT = (-0.55, -0.6, 0.58)  # towards the viewer's upper left
TILT = math.radians(20)      # the poles lean towards the viewer a little


# Continents: caps of the sphere, (latitude, longitude, angular radius) in
# degrees, with coasts that wave around the cap's edge.
CONTINENTS = [(25, -45, 32), (-30, 30, 28), (50, 55, 18), (-10, -95, 15)]


def is_land(latitude, longitude):
    for centre_latitude, centre_longitude, size in CONTINENTS:
        centre_latitude = math.radians(centre_latitude)
        centre_longitude = math.radians(centre_longitude)
        size = math.radians(size)
        delta = longitude - centre_longitude
        cosine = (math.sin(latitude) * math.sin(centre_latitude)
                  + math.cos(latitude) * math.cos(centre_latitude) * math.cos(delta))
        distance = math.acos(max(-1.0, min(1.0, cosine)))
        bearing = math.atan2(math.sin(delta) * math.cos(latitude),
                             math.cos(centre_latitude) * math.sin(latitude)
                             - math.sin(centre_latitude) * math.cos(latitude) * math.cos(delta))
        coast = size * (1 + 0.25 * math.sin(3 * bearing + centre_longitude) + 0.15 * math.cos(5 * bearing))
        if distance < coast:
            return True
    return False


def globe_pixel(size, column, row):
    """The palette index of one pixel of a globe filling a size x size
    square, or None outside the disc."""
    radius = size / 2 - 0.5
    x = (column + 0.5 - size / 2) / radius
    y = (row + 0.5 - size / 2) / radius
    rim = x * x + y * y
    if rim > 1.0:
        return None
    z = math.sqrt(1.0 - rim)
    # Tilt the globe about the horizontal axis, then read latitude and
    # longitude off the point (y up towards the north pole).
    up = -y * math.cos(TILT) + z * math.sin(TILT)
    depth = y * math.sin(TILT) + z * math.cos(TILT)
    latitude = math.asin(max(-1.0, min(1.0, up)))
    longitude = math.atan2(x, depth)
    light = x * LIGHT[0] + y * LIGHT[1] + z * LIGHT[2]
    if abs(latitude) > math.radians(70):
        return WHITE if light > 0.2 else SILVER
    if is_land(latitude, longitude):
        if light > 0.78:
            return LIME
        return GREEN if light > 0.0 else OLIVE
    if light > 0.93:
        return TEAL
    return BLUE if light > 0.05 else NAVY


def draw(size):
    """Rows of palette indices, top row first; None marks transparency."""
    return [[globe_pixel(size, column, row) for column in range(size)] for row in range(size)]


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def dib(pixels):
    """An icon image: BITMAPINFOHEADER of double height, the palette, the
    4-bit colour rows and the 1-bit mask rows, both bottom-up."""
    size = len(pixels)
    color_rows = []
    mask_rows = []
    for row in reversed(pixels):
        indices = [BLACK if index is None else index for index in row]
        color = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        mask_bits = 0
        for index in row:
            mask_bits = (mask_bits << 1) | (1 if index is None else 0)
        mask = mask_bits.to_bytes((size + 7) // 8, "big")
        color_rows.append(padded(color))
        mask_rows.append(padded(mask))
    bits = b"".join(color_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(bits), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0) for red, green, blue in PALETTE)
    return header + palette + bits


def ico(sizes):
    images = [dib(draw(size)) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def png(pixels):
    """An 8-bit RGBA PNG of the picture."""
    size = len(pixels)
    raw = b""
    for row in pixels:
        raw += b"\0"
        for index in row:
            raw += bytes(PALETTE[index]) + b"\xff" if index is not None else b"\0\0\0\0"

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    os.makedirs(out, exist_ok=True)
    outputs = {
        "morva.ico": ico([32, 16]),
        "morva_small.ico": ico([16]),
        "morva.png": png(draw(32)),
    }
    for name, data in outputs.items():
        with open(os.path.join(out, name), "wb") as file:
            file.write(data)


if __name__ == "__main__":
    main()
