#!/usr/bin/env python3
"""Reads plicato-cli's exports of the example designs with independent readers.

EPS: Ghostscript renders every file without error, at the size of its bounding box.
SVG: the file parses as XML with its three layers, and rsvg-convert renders it at its mm size.
BMP: a reader written here (and ImageMagick's identify) sees the expected width, height,
24-bit pixels and a white margin round a pattern that reaches the 10-pixel border.
PDF: pdfinfo sees one A4 page (the examples fit), Ghostscript renders it, and poppler's render
at 100 dpi shows the card's outline at true size within a pixel.
DXF: ezdxf reads the file; it has the layers CUT, MOUNTAIN and VALLEY, only LINE entities, and
the lines of each layer cover exactly the EPS lines of the same kind.
info: the output is one JSON object whose line counts match the exports.
Failures: the program's exit codes and its "plicato-cli: FILE: reason" lines.

usage: check_readers.py PLICATO_CLI EXAMPLES_FOLDER
"""
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

try:
    import ezdxf
except ImportError:  # an interpreter of its own may not see Debian's python3-ezdxf
    sys.path.append("/usr/lib/python3/dist-packages")
    import ezdxf

SVG_NS = "{http://www.w3.org/2000/svg}"
INKSCAPE_NS = "{http://www.inkscape.org/namespaces/inkscape}"
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:2] == b"BM", "not a BMP"
    size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    (header, width, height, planes, bits, compression, image_size) = struct.unpack_from(
        "<IiiHHII", data, 14)
    check(size == len(data), f"{path}: file size field {size} != {len(data)}")
    check(header == 40 and planes == 1 and bits == 24 and compression == 0,
          f"{path}: unexpected header {header} {planes} {bits} {compression}")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for r in range(height):  # file rows run bottom-up
        start = offset + (height - 1 - r) * stride
        rows.append(data[start:start + width * 3])
    return width, height, rows


def pixel(rows, x, y):
    b, g, r = rows[y][x * 3:x * 3 + 3]
    return r, g, b


def check_bmp(cli, design, name, work, info):
    w_card, h_card = info["cardWidth"], info["cardHeight"]
    for width, mirror in ((400, False), (157, True)):
        out = os.path.join(work, f"{name}-{width}.bmp")
        args = [cli, "export", design, out, f"--width={width}"] + (["--mirror"] if mirror else [])
        r = run(args)
        check(r.returncode == 0, f"{name}: bmp export failed: {r.stderr}")
        if r.returncode:
            continue
        bw, bh, rows = read_bmp(out)
        expected_h = int((width - 20) * 2 * h_card / w_card) + 20
        check((bw, bh) == (width, expected_h), f"{name}: bmp is {bw}x{bh}, expected "
              f"{width}x{expected_h}")
        white = (255, 255, 255)
        margin_ok = all(pixel(rows, x, y) == white for y in range(bh)
                        for x in list(range(0, 8)) + list(range(bw - 8, bw)))
        margin_ok = margin_ok and all(pixel(rows, x, y) == white for x in range(bw)
                                      for y in list(range(0, 8)) + list(range(bh - 8, bh)))
        check(margin_ok, f"{name}: bmp margin of {width} px is not white")
        # The cut outline of the sheet runs along the 10-pixel border on all four sides.
        for label, xs, ys in (("left", range(8, 12), [bh // 2]), ("right", range(bw - 12, bw - 8),
                              [bh // 2]), ("top", [bw // 2], range(8, 12)),
                              ("bottom", [bw // 2], range(bh - 12, bh - 8))):
            dark = any(pixel(rows, x, y) == (0, 0, 0) for x in xs for y in ys)
            check(dark, f"{name}: no outline near the {label} border of the {width} px image")
        if shutil.which("identify"):
            r = run(["identify", "-format", "%w %h", out])
            check(r.returncode == 0 and r.stdout.strip() == f"{bw} {bh}",
                  f"{name}: identify reads {r.stdout!r} {r.stderr!r}")


def check_eps(cli, design, name, work):
    out = os.path.join(work, name + ".eps")
    r = run([cli, "export", design, out])
    check(r.returncode == 0, f"{name}: eps export failed: {r.stderr}")
    with open(out, "rb") as f:
        lines = f.read().decode("ascii").split("\n")
    box = lines[1]
    check(box.startswith("%%BoundingBox:0 0 "), f"{name}: bounding box line {box!r}")
    urx, ury = (int(v) for v in box.split()[2:4]) if box.count(" ") == 3 else (0, 0)
    png = os.path.join(work, name + "-eps.png")
    r = run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-r72",
             "-sDEVICE=pnggray", "-o", png, out])
    check(r.returncode == 0 and "Error" not in r.stdout + r.stderr,
          f"{name}: Ghostscript failed: {r.stdout} {r.stderr}")
    if r.returncode == 0:
        check(png_size(png) == (urx, ury), f"{name}: EPS renders at {png_size(png)}, bounding "
              f"box {urx}x{ury}")
    r = run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=bbox", out])
    hires = [l for l in r.stderr.splitlines() if l.startswith("%%HiResBoundingBox:")]
    check(r.returncode == 0 and hires, f"{name}: bbox device failed: {r.stderr}")
    if hires:
        x0, y0, x1, y1 = (float(v) for v in hires[0].split()[1:5])
        # The drawing lies inside the declared box, on the 5 mm (14.17 pt) border.
        check(13 <= x0 <= 15.5 and 13 <= y0 <= 15.5 and x1 <= urx and y1 <= ury,
              f"{name}: drawing spans {x0} {y0} {x1} {y1} in a box of {urx} {ury}")


def check_svg(cli, design, name, work, info):
    out = os.path.join(work, name + ".svg")
    r = run([cli, "export", design, out])
    check(r.returncode == 0, f"{name}: svg export failed: {r.stderr}")
    root = ET.parse(out).getroot()
    check(root.tag == SVG_NS + "svg", f"{name}: root is {root.tag}")
    w_mm = info["cardWidth"] + 10
    h_mm = 2 * info["cardHeight"] + 10
    check(root.get("width") == f"{w_mm}mm" and root.get("height") == f"{h_mm}mm",
          f"{name}: svg size {root.get('width')} {root.get('height')}")
    check(root.get("viewBox") == f"0 0 {w_mm} {h_mm}", f"{name}: viewBox {root.get('viewBox')}")
    layers = {g.get("id"): g for g in root.findall(SVG_NS + "g")}
    check(sorted(layers) == ["cut", "mountain", "valley"], f"{name}: layers {sorted(layers)}")
    labels = {k: g.get(INKSCAPE_NS + "label") for k, g in layers.items()}
    check(labels == {"cut": "切断線", "mountain": "山折り線", "valley": "谷折り線"},
          f"{name}: labels {labels}")
    check(all(g.get(INKSCAPE_NS + "groupmode") == "layer" for g in layers.values()),
          f"{name}: groups are not layers")
    if "cut" in layers:
        check(layers["cut"].find(SVG_NS + "path[@id='outline']") is not None,
              f"{name}: no outline path")
    png = os.path.join(work, name + "-svg.png")
    r = run(["rsvg-convert", "--dpi-x", "96", "--dpi-y", "96", "-o", png, out])
    check(r.returncode == 0, f"{name}: rsvg-convert failed: {r.stderr}")
    if r.returncode == 0:
        pw, ph = png_size(png)
        ew, eh = w_mm / 25.4 * 96, h_mm / 25.4 * 96
        check(abs(pw - ew) <= 1 and abs(ph - eh) <= 1,
              f"{name}: svg renders at {pw}x{ph}, expected about {ew:.1f}x{eh:.1f}")


POINTS_PER_MM = 2.8346456692913384
KINDS = {"[] 0 setdash": "CUT", "[3 ] 0 setdash": "MOUNTAIN", "[8 4 4 4] 0 setdash": "VALLEY"}


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, pixels = data.split(b"\n", 3)
    assert magic == b"P5", path
    width, height = (int(v) for v in size.split())
    return width, height, pixels


def check_pdf(cli, design, name, work, info):
    out = os.path.join(work, name + ".pdf")
    r = run([cli, "export", design, out])
    check(r.returncode == 0, f"{name}: pdf export failed: {r.stderr}")
    if r.returncode:
        return
    r = run(["pdfinfo", out])
    check(r.returncode == 0 and "Pages:           1" in r.stdout and "(A4)" in r.stdout,
          f"{name}: pdfinfo says {r.stdout} {r.stderr}")
    r = run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=nullpage", out])
    check(r.returncode == 0 and not r.stdout + r.stderr, f"{name}: Ghostscript: {r.stderr}")
    base = os.path.join(work, name + "-pdf")
    r = run(["pdftoppm", "-r", "100", "-gray", "-aa", "no", "-aaVector", "no", out, base])
    check(r.returncode == 0 and not r.stderr, f"{name}: pdftoppm failed: {r.stderr}")
    if r.returncode:
        return
    width, height, pixels = read_pgm(base + "-1.pgm")
    dark = bytes(1 if v < 128 else 0 for v in range(256))
    rows = [pixels[y * width:(y + 1) * width].translate(dark) for y in range(height)]
    inked = [y for y in range(height) if 1 in rows[y]]
    left = min(row.find(1) for row in rows if 1 in row)
    right = max(row.rfind(1) for row in rows if 1 in row)
    px_per_mm = 100 / 25.4
    w_px = info["cardWidth"] * px_per_mm
    h_px = 2 * info["cardHeight"] * px_per_mm
    # The outline is drawn on the card's edge: ink spans the card's size within a pixel.
    check(abs(right - left - w_px) <= 1.5 and abs(inked[-1] - inked[0] - h_px) <= 1.5,
          f"{name}: pdf card spans {right - left}x{inked[-1] - inked[0]} px, expected about "
          f"{w_px:.1f}x{h_px:.1f}")
    # Centred on the page.
    check(abs(left + right - width) <= 3 and abs(inked[0] + inked[-1] - height) <= 3,
          f"{name}: pdf card not centred: {left} {right} {inked[0]} {inked[-1]}")


def eps_lines(path):
    """The lines of each kind in the EPS, in card millimetres from the lower-left corner."""
    with open(path) as f:
        text = f.read().split("\n")
    lines = {"CUT": [], "MOUNTAIN": [], "VALLEY": []}
    kind = None
    start = None
    for row in text:
        if row in KINDS:
            kind = KINDS[row]
        elif row.endswith(" moveto"):
            start = [float(v) / POINTS_PER_MM - 5 for v in row.split()[:2]]
        elif row.endswith(" lineto"):
            end = [float(v) / POINTS_PER_MM - 5 for v in row.split()[:2]]
            lines[kind].append((start[0], start[1], end[0], end[1]))
    return lines


def on_segment(seg, x, y, eps=1e-3):
    x1, y1, x2, y2 = seg
    dx, dy = x2 - x1, y2 - y1
    length = (dx * dx + dy * dy) ** 0.5
    if length == 0:
        return False
    across = abs((x - x1) * dy - (y - y1) * dx) / length
    along = ((x - x1) * dx + (y - y1) * dy) / length
    return across < eps and -eps < along < length + eps


def check_dxf(cli, design, name, work):
    out = os.path.join(work, name + ".dxf")
    eps = os.path.join(work, name + ".eps")
    r = run([cli, "export", design, out])
    check(r.returncode == 0, f"{name}: dxf export failed: {r.stderr}")
    if r.returncode:
        return
    doc = ezdxf.readfile(out)
    check(doc.dxfversion == "AC1009", f"{name}: dxf version {doc.dxfversion}")
    names = {layer.dxf.name for layer in doc.layers}
    check({"CUT", "MOUNTAIN", "VALLEY"} <= names, f"{name}: dxf layers {sorted(names)}")
    entities = list(doc.modelspace())
    check(all(e.dxftype() == "LINE" for e in entities), f"{name}: dxf holds other entities")
    dxf = {"CUT": [], "MOUNTAIN": [], "VALLEY": []}
    for e in entities:
        dxf.setdefault(e.dxf.layer, []).append(
            (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y))
    reference = eps_lines(eps)
    for layer, segments in reference.items():
        got = dxf.get(layer, [])
        # Each EPS line lies on one DXF line of its kind, and the lengths add up: the DXF
        # lines are the EPS lines, joined where they meet in a straight line.
        for seg in segments:
            check(any(on_segment(d, seg[0], seg[1]) and on_segment(d, seg[2], seg[3])
                      for d in got), f"{name}: {layer} line {seg} not in the dxf")
        length = lambda s: ((s[2] - s[0]) ** 2 + (s[3] - s[1]) ** 2) ** 0.5
        total_eps = sum(map(length, segments))
        total_dxf = sum(map(length, got))
        check(abs(total_eps - total_dxf) < 1e-3 * max(1, len(segments)),
              f"{name}: {layer} is {total_dxf} mm in the dxf, {total_eps} mm in the eps")
        check(len(got) <= len(segments), f"{name}: {layer} has more dxf lines than eps lines")


def check_shell_contract(cli, work):
    """The program itself (not only its library) speaks to shells: exit codes, stderr lines."""
    missing = os.path.join(work, "missing.plq")
    r = run([cli, "info", missing])
    check(r.returncode == 1 and r.stdout == "" and
          r.stderr == f"plicato-cli: {missing}: no such file\n",
          f"missing design: {r.returncode} {r.stderr!r}")
    r = run([cli, "export", missing, os.path.join(work, "x.txt")])
    check(r.returncode == 4 and r.stderr.startswith("plicato-cli: ") and
          "unknown output format" in r.stderr, f"refused output: {r.returncode} {r.stderr!r}")
    r = run([cli, "frobnicate"])
    check(r.returncode == 2 and "usage:" in r.stderr, f"usage error: {r.returncode}")
    r = run([cli, "--version"])
    check(r.returncode == 0 and r.stdout.startswith("plicato-cli "), "--version")


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, examples = sys.argv[1], sys.argv[2]
    names = sorted(f[:-4] for f in os.listdir(examples) if f.endswith(".plq"))
    check(len(names) >= 5, f"only {len(names)} examples")
    with tempfile.TemporaryDirectory() as work:
        for name in names:
            design = os.path.join(examples, name + ".plq")
            r = run([cli, "info", design])
            check(r.returncode == 0, f"{name}: info failed: {r.stderr}")
            info = json.loads(r.stdout)
            for key in ("cardWidth", "cardHeight", "gridSize", "userFaces", "builtFaces",
                        "pattern"):
                check(key in info, f"{name}: info has no {key}")
            check(info["pattern"]["cut"]["count"] > 0 and info["pattern"]["valley"]["count"] > 0,
                  f"{name}: pattern without cuts or valley folds")
            check_eps(cli, design, name, work)
            check_svg(cli, design, name, work, info)
            check_bmp(cli, design, name, work, info)
            check_pdf(cli, design, name, work, info)
            check_dxf(cli, design, name, work)


        check_shell_contract(cli, work)
    print(f"{len(names)} examples checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
