#!/usr/bin/env python3
"""Builds the landscape: the terrain profile and the tile sheets that show it.

The ground line has one source, a list of control points. This script bends a
smooth line through them, samples it, and writes the samples twice: as the
terrain profile the game walks on (data/map.hm) and as the ground drawn in the
world picture. The world picture and the far background are each drawn once,
in world coordinates; the game's sheets are windows onto them, one per tile.

Usage: landscape.py GROUND WORLD_SVG FAR_SVG MAP_FILE SHEET_DIR
"""

import math
import sys
import xml.etree.ElementTree as ET

SVG_NS = "http://www.w3.org/2000/svg"
XLINK_NS = "http://www.w3.org/1999/xlink"

# Every tile and far strip is a 1024-pixel picture that the game draws at
# scale 1.5 about its centre, side by side: picture i covers x from
# 1536 i - 256 to 1536 i + 1280 and y from -256 to 1280.
TILE_PIXELS = 1024
TILE_SPAN = 1536
TILE_LEFT = -256
TILE_TOP = -256
GROUND_TILES = 4
FAR_STRIPS = 2

# Longest straight piece of the sampled ground line, in world pixels.
SAMPLE_STEP = 32.0
# The ground body reaches below everything the camera can show.
GROUND_BOTTOM = 1400.0


def read_control_points(path):
    points = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.split("#", 1)[0].strip()
            if line:
                x, y = line.split()
                points.append((float(x), float(y)))
    for (x0, _), (x1, _) in zip(points, points[1:]):
        if x1 <= x0:
            sys.exit(f"{path}: ground points must grow in x ({x0} then {x1})")
    return points


def tangents(points):
    """Fritsch-Carlson slopes: the curve never overshoots its control points,
    so flat stretches stay flat and hilltops are where the points say."""
    slopes = [(y1 - y0) / (x1 - x0) for (x0, y0), (x1, y1) in zip(points, points[1:])]
    result = [slopes[0]] + [0.0] * (len(points) - 2) + [slopes[-1]]
    for k in range(1, len(points) - 1):
        before, after = slopes[k - 1], slopes[k]
        if before * after > 0:
            result[k] = 2.0 / (1.0 / before + 1.0 / after)
    return result


def sample_ground(points):
    """The smooth ground line as a polyline of at most SAMPLE_STEP pieces."""
    slopes = tangents(points)
    samples = [points[0]]
    for k in range(len(points) - 1):
        (x0, y0), (x1, y1) = points[k], points[k + 1]
        width = x1 - x0
        pieces = max(1, math.ceil(width / SAMPLE_STEP))
        for step in range(1, pieces + 1):
            t = step / pieces
            h00 = 2 * t**3 - 3 * t**2 + 1
            h10 = t**3 - 2 * t**2 + t
            h01 = -2 * t**3 + 3 * t**2
            h11 = t**3 - t**2
            y = h00 * y0 + h10 * width * slopes[k] + h01 * y1 + h11 * width * slopes[k + 1]
            samples.append((x0 + t * width, y))
    return samples


def write_map_file(samples, path):
    with open(path, "w", encoding="ascii") as out:
        out.write(f"{len(samples)}\n")
        for x, y in samples:
            out.write(f"{x:.2f} {y:.2f}\n")


def polyline(samples):
    return "M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in samples)


def load_svg(path):
    ET.register_namespace("", SVG_NS)
    ET.register_namespace("xlink", XLINK_NS)
    return ET.parse(path)


def element_by_id(tree, element_id, path):
    for element in tree.iter():
        if element.get("id") == element_id:
            return element
    sys.exit(f"{path}: no element with id '{element_id}'")


def draw_ground(tree, samples, path):
    """Fills the world picture's two ground paths: the body down to the bottom
    of the world, and the grass edge along the line alone."""
    (first_x, _), (last_x, _) = samples[0], samples[-1]
    body = (polyline(samples)
            + f" L{last_x:.2f},{GROUND_BOTTOM:.2f} L{first_x:.2f},{GROUND_BOTTOM:.2f} Z")
    element_by_id(tree, "ground-body", path).set("d", body)
    element_by_id(tree, "ground-edge", path).set("d", polyline(samples))


def write_windows(tree, count, name, sheet_dir):
    """Writes one sheet per picture i, each showing its own 1536-pixel part of
    the drawing at 1024 pixels."""
    root = tree.getroot()
    for i in range(count):
        left = TILE_SPAN * i + TILE_LEFT
        root.set("width", str(TILE_PIXELS))
        root.set("height", str(TILE_PIXELS))
        root.set("viewBox", f"{left} {TILE_TOP} {TILE_SPAN} {TILE_SPAN}")
        tree.write(f"{sheet_dir}/{name}{i}.svg", encoding="utf-8", xml_declaration=True)


def main(argv):
    if len(argv) != 6:
        sys.exit(__doc__)
    ground_path, world_path, far_path, map_path, sheet_dir = argv[1:]
    samples = sample_ground(read_control_points(ground_path))
    write_map_file(samples, map_path)

    world = load_svg(world_path)
    draw_ground(world, samples, world_path)
    write_windows(world, GROUND_TILES, "map", sheet_dir)
    write_windows(load_svg(far_path), FAR_STRIPS, "p", sheet_dir)


if __name__ == "__main__":
    main(sys.argv)
