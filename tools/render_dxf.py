#!/usr/bin/env python3
"""Renders Lwall.dxf (or a window of it) to a PNG for a look by eye.

Usage: render_dxf.py Lwall.dxf out.png [--window X0 Y0 X1 Y1] [--width PIXELS]
Needs Debian's python3-ezdxf and python3-matplotlib; Japanese labels need a CJK font
(fonts-ipafont-gothic)."""
import argparse
import pathlib

import ezdxf
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dxf")
    ap.add_argument("png")
    ap.add_argument("--window", nargs=4, type=float, metavar=("X0", "Y0", "X1", "Y1"))
    ap.add_argument("--width", type=int, default=2400, help="width of the picture in pixels")
    args = ap.parse_args()

    # Japanese labels need a CJK font; register the IPA font directly, whatever the font cache holds.
    font_file = None
    for path in ("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                 "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"):
        if pathlib.Path(path).exists():
            matplotlib.font_manager.fontManager.addfont(path)
            plt.rcParams["font.family"] = matplotlib.font_manager.FontProperties(fname=path).get_name()
            font_file = pathlib.Path(path).name
            break

    doc = ezdxf.readfile(args.dxf, encoding="cp932")
    # The sheet's text styles name a CAD font file; draw their texts with the CJK font instead.
    if font_file:
        for style in doc.styles:
            style.dxf.font = font_file
    fig = plt.figure()
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_facecolor("black")
    ctx = RenderContext(doc)
    Frontend(ctx, MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True)
    if args.window:
        x0, y0, x1, y1 = args.window
        ax.set_xlim(x0, x1)
        ax.set_ylim(y0, y1)
    x0, x1 = ax.get_xlim()
    y0, y1 = ax.get_ylim()
    aspect = (y1 - y0) / (x1 - x0) if x1 > x0 else 1
    fig.set_size_inches(args.width / 100, max(1.0, args.width * aspect / 100))
    fig.savefig(args.png, dpi=100, facecolor="black")


if __name__ == "__main__":
    main()
