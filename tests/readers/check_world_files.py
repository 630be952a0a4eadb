#!/usr/bin/env python3
"""Checks the grower's heightmaps and textures against its grid dump or
against samples grown apart, reading them with readers of their own (PIL
for PNG, plain bytes for .r16 and .r32, json for the metadata):

  check_world_files.py DUMP METADATA [--samples SAMPLES.r32] FILE...

Each file must be listed in the metadata, which gives its kind, size and
sampling. Every pixel is checked against the rules. Sampled from the grid:
pixel (x, y) shows grid point (floor((2y+1)N/2H), floor((2x+1)N/2W)) and its
radius in double precision. Grown per pixel: the pixel's radius is the float
at its place in SAMPLES (the same width and height). A heightmap holds
round(65535 (r - rmin) / (rmax - rmin)), rmin and rmax as the metadata
gives them (by default the grid's or the samples' smallest and largest), or
r itself as a float; a texture the elevation colour of r rounded to single
precision. Prints one line per file; exit status 1 on the first mismatch."""

import json
import math
import os
import struct
import sys

from PIL import Image


def single(value):
    return struct.unpack('<f', struct.pack('<f', value))[0]


def radius(x, y, z):
    h = math.sqrt(x * x + y * y)
    return math.sqrt(h * h + z * z)


def channel(v):
    if not math.isfinite(v) or abs(v) >= 2.0 ** 63:
        return 0
    return int(v) & 0xFF


def divide(a, b):
    """IEEE division: a zero divisor gives an infinity or NaN, as in C."""
    if b != 0:
        return a / b
    if a == 0 or math.isnan(a):
        return math.nan
    return math.copysign(math.inf, a) * math.copysign(1.0, b)


def elevation_color(r, mean, top):
    sea = mean + (top - mean) * 0.1
    if not r >= sea:
        q = divide(sea - r, top - sea)
        return (0, 0, channel(q * -100.0 + 255.0))
    t = divide(r - sea, top - sea)
    p = t * 255.0
    if p > 253.0:
        return (channel(single(p)), 254, 254)
    return (channel(220.0 * t + 34.0), channel(85.0 * t + 171.0), channel(75.0 * t + 65.0))


def height_value(r, low, high):
    if not high > low:
        return 0
    v = 65535.0 * (r - low) / (high - low)
    whole = int(v)
    return min(65535, max(0, whole + (1 if v - whole >= 0.5 else 0)))


def fail(message):
    print(message)
    sys.exit(1)


def main():
    dump_path, metadata_path, *files = sys.argv[1:]
    samples = None
    if files[:1] == ['--samples']:
        raw = open(files[1], 'rb').read()
        samples = struct.unpack(f'<{len(raw) // 4}f', raw)
        files = files[2:]
    with open(metadata_path, encoding='utf-8') as f:
        metadata = json.load(f)
    n = metadata['grid_size']
    data = open(dump_path, 'rb').read()
    if len(data) != n * n * 12:
        fail(f'{dump_path}: {len(data)} bytes, not {n * n * 12}')
    points = struct.unpack(f'<{n * n * 3}f', data)
    radii = [radius(points[3 * i], points[3 * i + 1], points[3 * i + 2]) for i in range(n * n)]
    low, high = min(radii), max(radii)
    if metadata['radius']['min'] != low or metadata['radius']['max'] != high:
        fail(f'{metadata_path}: min/max radius {metadata["radius"]} but the grid has {low}, {high}')
    mean, top = single(metadata['radius']['mean']), single(metadata['radius']['max'])

    listed = {entry['path']: entry for entry in metadata['files']}
    for path in files:
        entry = listed.get(path) or listed.get(os.path.basename(path))
        if entry is None:
            fail(f'{path}: not listed in {metadata_path}')
        if entry['bytes'] != os.path.getsize(path):
            fail(f'{path}: metadata says {entry["bytes"]} bytes, the file has {os.path.getsize(path)}')
        width, height = entry['width'], entry['height']
        if entry.get('sampling', 'grid') == 'pixel':
            if samples is None or len(samples) != width * height:
                fail(f'{path}: grown per pixel, and no {width}x{height} samples to check it against')
            pixel_radii = samples
            expected_range = None
        else:
            columns = [(2 * x + 1) * n // (2 * width) for x in range(width)]
            pixel_radii = [radii[(2 * y + 1) * n // (2 * height) * n + columns[x]]
                           for y in range(height) for x in range(width)]
            expected_range = (low, high)
        if entry['kind'].endswith('heightmap') and entry['bits'] == 32:
            raw = open(path, 'rb').read()
            if len(raw) != width * height * 4:
                fail(f'{path}: {len(raw)} bytes, not {width * height * 4}')
            values = struct.unpack(f'<{width * height}f', raw)
            expected = lambda i: single(pixel_radii[i])
        elif entry['kind'].endswith('heightmap'):
            rmin, rmax = entry['radius_at_0'], entry['radius_at_65535']
            shared = metadata['height_range']
            if (rmin, rmax) != (shared['radius_at_0'], shared['radius_at_65535']):
                fail(f'{path}: radii for 0 and 65535 are not the run\'s one height range')
            if expected_range and '--height-range' not in metadata['command_line'] and (rmin, rmax) != expected_range:
                fail(f'{path}: radii for 0 and 65535 are not the grid\'s smallest and largest')
            if path.lower().endswith('.r16'):
                raw = open(path, 'rb').read()
                if len(raw) != width * height * 2:
                    fail(f'{path}: {len(raw)} bytes, not {width * height * 2}')
                values = struct.unpack(f'<{width * height}H', raw)
            else:
                image = Image.open(path)
                with open(path, 'rb') as f:
                    header = f.read(26)
                depth, color_type = header[24], header[25]
                if image.format != 'PNG' or (depth, color_type) != (16, 0) or image.size != (width, height):
                    fail(f'{path}: {image.format} {image.mode} {image.size}, not a {width}x{height} 16-bit grey PNG')
                values = list(image.getdata())
            expected = lambda i: height_value(pixel_radii[i], rmin, rmax)
        else:
            image = Image.open(path)
            if image.format != 'PNG' or image.mode != 'RGB' or image.size != (width, height):
                fail(f'{path}: {image.format} {image.mode} {image.size}, not a {width}x{height} RGB PNG')
            values = list(image.getdata())
            expected = lambda i: elevation_color(single(pixel_radii[i]), mean, top)
        for i in range(width * height):
            if values[i] != expected(i):
                fail(f'{path}: pixel ({i % width}, {i // width}) is {values[i]}, the rule gives {expected(i)}')
        print(f'{path}: {width}x{height} {entry["kind"]}, every pixel as the rule gives')


if __name__ == '__main__':
    main()
