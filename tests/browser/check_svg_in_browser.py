#!/usr/bin/env python3
"""Opens the picture of each example sheet (lwall --svg) in a real browser, headless Chromium, and
checks that it loads as an image of the size its svg element states. Usage:
check_svg_in_browser.py LWALL_EXE EXAMPLES_DIR [PNG_DIR]. Exits 77 (skipped) where Chromium is missing.
With PNG_DIR, also keeps a screenshot of each sheet there."""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars"]

PAGE = """<!DOCTYPE html><html><head><title>loading</title></head><body>
<img id="sheet" src="Lwall.svg"
     onload="document.title = 'loaded ' + this.naturalWidth + 'x' + this.naturalHeight"
     onerror="document.title = 'error'">
</body></html>"""


def chromium(profile, *args):
    return subprocess.run([CHROMIUM, *FLAGS, f"--user-data-dir={profile}", *args],
                          capture_output=True, text=True, timeout=120)


def check(exe, example, png_dir):
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        for name in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(example / name, tmp)
        run = subprocess.run([exe, "--svg"], cwd=tmp, capture_output=True)
        if run.returncode != 0:
            return [f"lwall --svg exited {run.returncode}: {run.stdout!r}"]
        svg = (tmp / "Lwall.svg").read_text(encoding="utf-8")
        m = re.search(r'<svg [^>]*width="(\d+)" height="(\d+)"', svg)
        if not m:
            return ["the svg element states no width and height"]
        width, height = int(m.group(1)), int(m.group(2))
        (tmp / "page.html").write_text(PAGE, encoding="utf-8")
        dom = chromium(tmp / "profile", "--virtual-time-budget=20000", "--dump-dom",
                       (tmp / "page.html").as_uri())
        title = re.search(r"<title>(.*?)</title>", dom.stdout)
        seen = title.group(1) if title else f"no page ({dom.returncode})"
        problems = []
        if seen != f"loaded {width}x{height}":
            problems.append(f"the browser shows {seen!r}, expected a {width}x{height} image")
        if png_dir:
            shot = pathlib.Path(png_dir) / f"{example.name}-sheet.png"
            chromium(tmp / "profile", f"--window-size={width},{height}", f"--screenshot={shot}",
                     (tmp / "Lwall.svg").as_uri())
        print(f"{example.name}: {seen}")
        return problems


def main():
    if CHROMIUM is None:
        print("Chromium is not installed (Debian: chromium): browser test skipped")
        sys.exit(77)
    exe = str(pathlib.Path(sys.argv[1]).resolve())
    examples = pathlib.Path(sys.argv[2])
    png_dir = sys.argv[3] if len(sys.argv) > 3 else None
    failures = 0
    for example in sorted(p for p in examples.iterdir() if (p / "PlenkL.dat").exists()):
        for problem in check(exe, example, png_dir):
            print(f"{example.name}: {problem}")
            failures += 1
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
