#!/usr/bin/env python3
"""Renders the printed page of the Wine print test with Ghostscript and finds
the host's filled rectangle where the placement keys put it, within 1 % of
the page. Usage: check_page.py OUTPUT_FOLDER (holding page.ps and
placement.txt); writes page.png there for a person to look at."""
import os
import subprocess
import sys

RES = 100  # rendering resolution, dots per inch


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


def main(folder):
    ps = os.path.join(folder, "page.ps")
    placement = os.path.join(folder, "placement.txt")
    if not os.path.exists(ps) or not os.path.exists(placement):
        print("no printed page in", folder)
        return 1
    dpi_x, dpi_y, off_x, off_y, horz, vert, left, top, width, height = map(
        int, open(placement).read().split())
    pgm = os.path.join(folder, "page.pgm")
    gs = ["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"]
    subprocess.run(gs + ["-sDEVICE=pgmraw", "-r%d" % RES, "-sOutputFile=" + pgm, ps], check=True)
    subprocess.run(gs + ["-sDEVICE=png16m", "-r50", "-sOutputFile=" + os.path.join(folder, "page.png"), ps],
                   check=True)
    page_w, page_h, pixels = read_pgm(pgm)
    xs, ys = [], []
    for y in range(page_h):
        row = pixels[y * page_w:(y + 1) * page_w]
        dark = [x for x, v in enumerate(row) if v < 64]
        if dark:
            xs += [dark[0], dark[-1]]
            ys.append(y)
    if not ys:
        print("nothing was printed on the page")
        return 1
    found = (min(xs), min(ys), max(xs) + 1, max(ys) + 1)
    sx, sy = RES / dpi_x, RES / dpi_y
    want = ((off_x + left) * sx, (off_y + top) * sy, (off_x + left + width) * sx, (off_y + top + height) * sy)
    tol_x, tol_y = page_w / 100, page_h / 100
    print("page %dx%d px at %d dpi; rectangle found %s, expected %s" %
          (page_w, page_h, RES, found, tuple(round(v, 1) for v in want)))
    bad = [i for i in range(4) if abs(found[i] - want[i]) > (tol_x if i % 2 == 0 else tol_y)]
    if bad:
        print("the rectangle is not where the keys put it (sides %s off by more than 1 %%)" % bad)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
