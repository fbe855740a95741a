#!/usr/bin/python3
"""Reads back every counterbore DXF in a folder with ezdxf and LibreCAD.

    dxf_check.py FOLDER SIZES_CSV

Files are named SIZE_CASE.dxf. The expected values come from the reviewed CSV: for each case the
counterbore's diameter and depth and the clearance hole d'. Every size and case whose three values
the CSV holds must have its file, and no other file may be there. Prints one line per problem and
exits 1 if there is any.
"""
import csv
import os
import subprocess
import sys
import tempfile

import ezdxf

# The cases of the counterbore drawings: the two sections without washers and the four with.
CASES = {
    "sunk": ("D", "H''"),
    "standing": ("D", "H'"),
    "spring": ("D1", "h1"),
    "plain-normal": ("D2", "h2"),
    "plain-small": ("D3", "h4"),
    "spring-plain": ("D2", "h3"),
}
TOLERANCE = 1e-6


def close(a, b):
    return abs(a - b) <= TOLERANCE


def expected_files(sizes_csv):
    expected = {}
    with open(sizes_csv, encoding="utf-8-sig", newline="") as f:
        for row in csv.DictReader(f):
            for case, (diameter, depth) in CASES.items():
                cells = (row[diameter], row[depth], row["d'"])
                if all(cells):
                    expected[f"{row['size']}_{case}.dxf"] = tuple(float(c) for c in cells)
    return expected


def check_file(path, diameter, depth, hole):
    problems = []
    doc = ezdxf.readfile(path)
    if doc.dxfversion not in ("AC1009", "AC1015"):
        problems.append(f"version {doc.dxfversion}")
    auditor = doc.audit()
    for error in auditor.errors:
        problems.append(f"audit: {error.message}")
    if doc.header.get("$INSUNITS") != 4 or doc.header.get("$MEASUREMENT") != 1:
        problems.append(f"units {doc.header.get('$INSUNITS')} / {doc.header.get('$MEASUREMENT')}")

    def line_type(entity):
        name = entity.dxf.get("linetype", "BYLAYER")
        if name.upper() == "BYLAYER":
            name = doc.layers.get(entity.dxf.layer).dxf.linetype
        return name

    def dashed(name):
        return len(doc.linetypes.get(name).pattern_tags.tags) > 0 and name.upper() not in ("CONTINUOUS",)

    entities = list(doc.modelspace())
    centre = [e for e in entities if e.dxftype() == "LINE" and dashed(line_type(e))]
    outline = [e for e in entities if e not in centre]
    centre_layers = {e.dxf.layer for e in centre}
    outline_layers = {e.dxf.layer for e in outline}
    if not centre or len(centre_layers) != 1 or centre_layers & outline_layers:
        problems.append(f"centre lines on {centre_layers}, outlines on {outline_layers}")
    if centre and "CENTER" not in line_type(centre[0]).upper():
        problems.append(f"centre line type {line_type(centre[0])}")

    circles = [e for e in outline if e.dxftype() == "CIRCLE"]
    radii = sorted(c.dxf.radius for c in circles)
    if len(circles) != 2 or not (close(radii[0], hole / 2) and close(radii[1], diameter / 2)):
        problems.append(f"circle radii {radii}, expected {hole / 2} and {diameter / 2}")
        return problems
    centres = {(round(c.dxf.center.x, 9), round(c.dxf.center.y, 9)) for c in circles}
    if len(centres) != 1:
        problems.append(f"circles not concentric: {centres}")
    axis = circles[0].dxf.center.x

    # The section: below the top view, on the same axis.
    lines = [e for e in outline if e.dxftype() == "LINE"]
    horizontal = [e for e in lines if close(e.dxf.start.y, e.dxf.end.y)]
    vertical = [e for e in lines if close(e.dxf.start.x, e.dxf.end.x)]
    if len(horizontal) + len(vertical) != len(lines) or not horizontal:
        problems.append("section lines not all horizontal or vertical")
        return problems
    surface = max(e.dxf.start.y for e in horizontal)
    floor = min(e.dxf.start.y for e in horizontal)
    if not close(surface - floor, depth):
        problems.append(f"depth {surface - floor}, expected {depth}")

    def walls(half_width):
        return [e for e in vertical if close(abs(e.dxf.start.x - axis), half_width)]

    counterbore = walls(diameter / 2)
    if len(counterbore) != 2 or any(not close(abs(e.dxf.start.y - e.dxf.end.y), depth) for e in counterbore):
        problems.append("counterbore walls do not run from the surface to the floor")
    if len(walls(hole / 2)) != 2 or any(max(e.dxf.start.y, e.dxf.end.y) > floor + TOLERANCE for e in walls(hole / 2)):
        problems.append("hole walls do not start at the floor")
    floor_lines = [e for e in horizontal if close(e.dxf.start.y, floor)]
    spans = sorted(sorted((abs(e.dxf.start.x - axis), abs(e.dxf.end.x - axis))) for e in floor_lines)
    if len(spans) != 2 or any(not (close(a, hole / 2) and close(b, diameter / 2)) for a, b in spans):
        problems.append(f"floor from {spans}, expected from {hole / 2} to {diameter / 2}")
    if min(c.dxf.center.y - c.dxf.radius for c in circles) <= surface:
        problems.append("top view not above the section")
    return problems


def dark_pixels(pdf, folder):
    """How many dark pixels LibreCAD's PDF of a drawing has, from a grey image at 30 dpi."""
    out = os.path.join(folder, "page")
    subprocess.run(["pdftoppm", "-r", "30", "-gray", "-singlefile", pdf, out], check=True)
    with open(out + ".pgm", "rb") as f:
        data = f.read()
    # P5 header: magic, width, height, maximum, then the pixels.
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4][-width * height:]
    return sum(1 for p in pixels if p < 128)


def main():
    folder, sizes_csv = sys.argv[1], sys.argv[2]
    expected = expected_files(sizes_csv)
    present = sorted(f for f in os.listdir(folder) if f.endswith(".dxf"))
    problems = []
    for name in sorted(set(expected) - set(present)):
        problems.append(f"{name}: missing")
    for name in sorted(set(present) - set(expected)):
        problems.append(f"{name}: not expected (the CSV leaves a value of it blank)")
    checked = [n for n in present if n in expected]
    for name in checked:
        for problem in check_file(os.path.join(folder, name), *expected[name]):
            problems.append(f"{name}: {problem}")

    # LibreCAD draws each file on a page of its own.
    with tempfile.TemporaryDirectory() as out:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        env.setdefault("XDG_RUNTIME_DIR", out)
        subprocess.run(["librecad", "dxf2pdf", "-a", "-t", out] + [os.path.join(folder, n) for n in checked],
                       check=True, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
        for name in checked:
            pdf = os.path.join(out, name[:-4] + ".pdf")
            if not os.path.exists(pdf):
                problems.append(f"{name}: LibreCAD wrote no PDF")
            elif dark_pixels(pdf, out) < 100:
                problems.append(f"{name}: LibreCAD's page is empty")
    for problem in problems:
        print(problem)
    print(f"{len(checked)} files read back, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
