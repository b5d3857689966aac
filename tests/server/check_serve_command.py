#!/usr/bin/env python3
"""`lwall serve` as a program, without a browser: it serves a wall from a folder with a Japanese
name; a preview of a wall that stops at the member length answers with status 5 at once (no
dialog waits for a person); --open hands the page's address to the system's opener; --host beyond
loopback warns, in Japanese unless English is asked for; SIGTERM (or, for the Windows build,
ending the process) stops it. Where the editor is a module beside the program (lwall-serve.so, a
build on Debian's compiled HTTP library), the program copied without it says so in one line.
Usage: check_serve_command.py LWALL EXAMPLE_DIR [RUNNER...]. With a runner (`wine`), LWALL is the
Windows program and --open is left out, as Wine has no browser to open."""
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.request

lwall, examples, runner = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2]).resolve(), sys.argv[3:]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def start(args, env, cwd):
    p = subprocess.Popen(runner + [lwall, "serve", "--port", "0", "--lang", "en"] + args, cwd=cwd, env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    line = p.stdout.readline().decode("ascii", "replace").strip()
    m = re.fullmatch(r"lwall: serving (http://127\.0\.0\.1:\d+/)", line)
    if not m:
        p.kill()
        sys.exit(f"no serving line, got {line!r}: {p.stderr.read()!r}")
    return p, m.group(1)


def call(url, path, body=None):
    data = json.dumps(body).encode() if body is not None else None
    req = urllib.request.Request(url + path.lstrip("/"), data=data, method="POST" if data else "GET",
                                 headers={"Content-Type": "application/json"})
    try:
        with urllib.request.urlopen(req, timeout=30) as r:
            return r.status, json.loads(r.read())
    except urllib.error.HTTPError as e:
        return e.code, json.loads(e.read())


def stop(p):
    if runner:
        p.kill()
    else:
        p.send_signal(signal.SIGTERM)
        check(p.wait(timeout=20) == 0, "SIGTERM ends the editor with status 0")
    p.wait(timeout=20)


with tempfile.TemporaryDirectory() as tmp:
    tmp = pathlib.Path(tmp)
    env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", WINEDEBUG="-all")
    folder = tmp / "擁壁 設計"
    folder.mkdir()
    for name in ("PlenkL.dat", "GasouL.dat"):
        shutil.copy(examples / "sloped" / name, folder / name)

    # A Japanese folder name, given on the command line.
    p, url = start(["--dir", str(folder)], env, tmp)
    status, wall = call(url, "/api/wall")
    check(status == 200 and wall["wall"] == (folder / "PlenkL.dat").read_text(), "the wall read from 擁壁 設計")
    # Options it cannot take: one line each and the usage status, nothing served.
    if not runner:
        for args, first in ((["--dir", str(folder / "PlenkL.dat")], f"lwall serve: --dir {folder / 'PlenkL.dat'} is not a folder"),
                            (["--port", "65536"], "lwall serve: --port takes a number from 0 to 65535, found 65536"),
                            (["--port", "8o"], "lwall serve: --port takes a number from 0 to 65535, found 8o"),
                            (["--port"], "lwall serve: --port needs a value"), (["--colour", "red"], "lwall serve: unknown option --colour")):
            refused = subprocess.run([lwall, "serve", "--lang", "en"] + args, cwd=tmp, env=env, capture_output=True, timeout=20)
            said = refused.stdout.decode("utf-8", "replace")
            check(refused.returncode == 8 and said.startswith(first) and said.count("\n") == 1,
                  f"serve {' '.join(args)} ends with status 8 in one line: {refused.returncode} {said!r}")
    # The member-length stop answers at once, with no message box.
    level = (examples / "level" / "PlenkL.dat").read_text().split("\n")
    level[5] = "100,100,4000"
    began = time.monotonic()
    layers = (examples / "level" / "GasouL.dat").read_text()
    status, preview = call(url, "/api/preview", {"wall": "\n".join(level), "layers": layers})
    check(status == 200 and preview["status"] == 5, f"a member-length stop previews with status 5: {preview.get('status')}")
    check(time.monotonic() - began < 20, "the member-length stop waits for nobody")
    stop(p)

    # Beyond loopback: a warning on standard error, Japanese first, naming the folder.
    p = subprocess.Popen(runner + [lwall, "serve", "--port", "0", "--host", "0.0.0.0", "--dir", str(folder)],
                         cwd=tmp, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    served = p.stdout.readline().decode("utf-8", "replace")
    stop(p)
    warning = p.stderr.read().decode("cp932" if runner else "utf-8", "replace")
    check("http://0.0.0.0:" in served and "注意" in warning and "ネットワーク" in warning and (runner or str(folder) in warning),
          f"--host 0.0.0.0 warns that anyone on the network can read and change the folder: {warning!r}")

    if not runner:
        # --open: the opener of web addresses gets the page's address, the editor serves on.
        bin_dir = tmp / "bin"
        bin_dir.mkdir()
        opened = tmp / "opened.txt"
        opener = bin_dir / "xdg-open"
        opener.write_text(f"#!/bin/sh\nprintf '%s' \"$1\" > '{opened}'\necho opener-out\necho opener-err >&2\n")
        opener.chmod(0o755)
        p, url = start(["--open"], dict(env, PATH=f"{bin_dir}:{env['PATH']}"), folder)
        for _ in range(200):
            if opened.exists() and opened.read_text():
                break
            time.sleep(0.05)
        check(opened.exists() and opened.read_text() == url, "--open hands the page's address to xdg-open")
        check(call(url, "/api/wall")[0] == 200, "the editor serves on after opening the browser")
        stop(p)
        said = p.stderr.read().decode("utf-8", "replace") + p.stdout.read().decode("utf-8", "replace")
        check(said == "", f"a browser that opens leaves the console quiet, the opener's own words too: {said!r}")

        # No opener on the PATH: one line says so, naming the program, and the editor serves on.
        empty_bin = tmp / "no-opener"
        empty_bin.mkdir()
        p, url = start(["--open"], dict(env, PATH=str(empty_bin)), folder)
        check(call(url, "/api/wall")[0] == 200, "the editor serves on when no browser can be opened")
        stop(p)
        said = p.stderr.read().decode("utf-8", "replace")
        check(said.startswith("lwall serve: can't open a browser: can't run xdg-open") and said.count("\n") == 1,
              f"without an opener, one line names xdg-open: {said!r}")

    module = pathlib.Path(lwall).parent / "lwall-serve.so"
    if not runner and module.exists():
        alone = tmp / "alone"
        alone.mkdir()
        shutil.copy(lwall, alone / "lwall")
        refused = subprocess.run([str(alone / "lwall"), "serve", "--port", "0"], cwd=tmp, env=env, capture_output=True,
                                 timeout=20)
        said = refused.stdout.decode("utf-8", "replace")
        check(refused.returncode == 8 and said.startswith("lwall: 編集画面のモジュールを読み込めません: ") and
              said.count("\n") == 1, f"a program without its editor module says so in one line: {refused.returncode} {said!r}")

if failures:
    sys.exit(1)
print("lwall serve: ok")
