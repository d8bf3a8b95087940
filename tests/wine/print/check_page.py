#!/usr/bin/env python3
"""Renders a printed page of the Wine print test with Ghostscript and finds
the host's filled rectangle where the placement keys put it.

Usage: check_page.py OUTPUT_FOLDER [NAME]
  without NAME: page.ps and placement.txt, rendered at 100 dpi, the
  rectangle within 1 % of the page;
  with NAME: NAME.ps and NAME_placement.txt, rendered at the printer's own
  resolution, the rectangle within one device pixel (a landscape page
  printed on an upright sheet is turned back for the comparison).
Writes a PNG beside the PostScript file for a person to look at."""
import os
import subprocess
import sys


def read_pgm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P5", "not a binary grey map"
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height]


# Dark pixels (below 64) as 1, the rest as 0, for finding them by bytes.
DARK = bytes(1 if v < 64 else 0 for v in range(256))


def main(folder, name=None):
    base = name or "page"
    ps = os.path.join(folder, base + ".ps")
    placement = os.path.join(folder, (name + "_" if name else "") + "placement.txt")
    if not os.path.exists(ps) or not os.path.exists(placement):
        print("no printed page in", folder, "for", base)
        return 1
    dpi_x, dpi_y, off_x, off_y, horz, vert, left, top, width, height = map(
        int, open(placement).read().split())
    res_x, res_y = (dpi_x, dpi_y) if name else (100, 100)
    pgm = os.path.join(folder, base + ".pgm")
    gs = ["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"]
    subprocess.run(gs + ["-sDEVICE=pgmraw", "-r%dx%d" % (res_x, res_y), "-sOutputFile=" + pgm, ps], check=True)
    subprocess.run(gs + ["-sDEVICE=png16m", "-r50", "-sOutputFile=" + os.path.join(folder, base + ".png"), ps],
                   check=True)
    page_w, page_h, pixels = read_pgm(pgm)
    os.remove(pgm)
    xs, ys = [], []
    dark_map = pixels.translate(DARK)
    for y in range(page_h):
        row = dark_map[y * page_w:(y + 1) * page_w]
        first = row.find(1)
        if first >= 0:
            xs += [first, row.rfind(1)]
            ys.append(y)
    if not ys:
        print("nothing was printed on the page")
        return 1
    found = (min(xs), min(ys), max(xs) + 1, max(ys) + 1)
    sx, sy = res_x / dpi_x, res_y / dpi_y
    want = ((off_x + left) * sx, (off_y + top) * sy, (off_x + left + width) * sx, (off_y + top + height) * sy)
    if horz > vert and page_w < page_h:
        # A landscape page on an upright sheet, turned a quarter to the
        # left: the page's top is the sheet's left, its left the bottom.
        want = ((off_y + top) * sx, page_h - (off_x + left + width) * sy,
                (off_y + top + height) * sx, page_h - (off_x + left) * sy)
    tol_x, tol_y = (1, 1) if name else (page_w / 100, page_h / 100)
    print("page %dx%d px at %dx%d dpi; rectangle found %s, expected %s" %
          (page_w, page_h, res_x, res_y, found, tuple(round(v, 1) for v in want)))
    bad = [i for i in range(4) if abs(found[i] - want[i]) > (tol_x if i % 2 == 0 else tol_y)]
    if bad:
        print("the rectangle is not where the keys put it (sides %s off by more than %s)" %
              (bad, "a device pixel" if name else "1 %"))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
