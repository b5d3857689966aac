#!/usr/bin/env python3
"""Draws walls with lwall and renders their two wall elevations to PNG pictures for a look by eye.

Usage: render_elevations.py LWALL_EXE OUT_DIR WALL_DIR...
Each WALL_DIR holds PlenkL.dat and GasouL.dat; OUT_DIR/<name of WALL_DIR>.png shows the back face
above the front face. Needs python3-ezdxf and python3-matplotlib (tools/render_dxf.py)."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

import ezdxf

RENDER = pathlib.Path(__file__).resolve().parents[3] / "tools" / "render_dxf.py"


def elevation_window(dxf_path):
    """The two wall outlines (the first eight LINEs on D-STR) with room for chains and call-outs."""
    doc = ezdxf.readfile(str(dxf_path), encoding="cp932")
    outline = [e for e in doc.modelspace() if e.dxftype() == "LINE" and e.dxf.layer == "D-STR"][:8]
    xs = [p.x for e in outline for p in (e.dxf.start, e.dxf.end)]
    ys = [p.y for e in outline for p in (e.dxf.start, e.dxf.end)]
    return min(xs) - 3000, min(ys) - 2000, max(xs) + 3000, max(ys) + 4000


def main():
    exe, out = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for wall in map(pathlib.Path, sys.argv[3:]):
        with tempfile.TemporaryDirectory() as tmp:
            for name in ("PlenkL.dat", "GasouL.dat"):
                shutil.copy(wall / name, tmp)
            run = subprocess.run([str(exe)], cwd=tmp, capture_output=True)
            if run.returncode != 0:
                sys.exit(f"{wall}: lwall exited {run.returncode}: {run.stdout!r}")
            dxf = pathlib.Path(tmp) / "Lwall.dxf"
            window = [str(v) for v in elevation_window(dxf)]
            png = out / f"{wall.name}.png"
            subprocess.run([sys.executable, str(RENDER), str(dxf), str(png), "--window", *window], check=True,
                           stderr=subprocess.DEVNULL)
            print(png)


if __name__ == "__main__":
    main()
