#!/usr/bin/env python3
"""Loads the drawing of every example wall with a real DXF reader (ezdxf) and fails on any audit
error. Usage: check_dxf.py LWALL_EXE EXAMPLES_DIR. Exits 77 (skipped) where ezdxf is missing."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

try:
    import ezdxf
except ImportError:
    print("ezdxf is not installed (Debian: python3-ezdxf): DXF reader test skipped")
    sys.exit(77)


def check(exe, example):
    with tempfile.TemporaryDirectory() as tmp:
        for name in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(example / name, tmp)
        run = subprocess.run([exe], cwd=tmp, capture_output=True)
        if run.returncode != 0:
            return [f"lwall exited {run.returncode}: {run.stdout!r}"]
        doc = ezdxf.readfile(str(pathlib.Path(tmp) / "Lwall.dxf"), encoding="cp932")
        auditor = doc.audit()
        problems = [f"audit error: {e.message}" for e in auditor.errors]
        # A fix is a change the reader makes on every load (a text naming a style the table does not
        # hold): the file as written is not the file a strict reader keeps.
        problems += [f"audit fix: {e.message}" for e in auditor.fixes[:5]]
        layers = {layer.dxf.name for layer in doc.layers}
        for needed in ("D-STR", "D-STR-STR1", "D-STR-DIM", "D-STR-HTXT", "D-BMK", "D-TTL-FRAM",
                       "D-MTR-FRAM", "D-MTR-TXT", "D-MTR-MTXT"):
            if needed not in layers:
                problems.append(f"layer {needed} missing")
        for style in ("STANDARD", "KANJI"):
            if style not in doc.styles:
                problems.append(f"text style {style} missing")
        if "CONTINUOUS" not in doc.linetypes:
            problems.append("line type CONTINUOUS missing")
        print(f"{example.name}: {len(doc.modelspace())} entities, {len(auditor.errors)} audit errors, "
              f"{len(auditor.fixes)} fixes")
        return problems


def main():
    exe, examples = str(pathlib.Path(sys.argv[1]).resolve()), pathlib.Path(sys.argv[2])
    failures = 0
    for example in sorted(p for p in examples.iterdir() if (p / "PlenkL.dat").exists()):
        for problem in check(exe, example):
            print(f"{example.name}: {problem}")
            failures += 1
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
