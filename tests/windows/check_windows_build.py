#!/usr/bin/env python3
"""The Windows program, under Wine: it gives the same bytes as the Linux one, both run on the
examples, the test walls, the property test's random walls and walls that are refused, each with the
options an engineer uses; every output file, every console line and every status must be identical (the console's lines each as it is, ended in CR LF on Windows as Windows ends them).
Standard output is redirected, so the Windows program must show no message box either:
where the member length stops a run, its caption and text go to standard error as on Linux.
Then `--pdf`, which the Windows program refuses in one line; the end-to-end tests of the test suite
run on the Windows program, and `lwall serve` is tried (a Japanese folder name, no dialog at the
member-length stop).
Usage: check_windows_build.py LINUX_LWALL WRITE_RANDOM_WALLS LWALL_TESTS SOURCE_DIR, with the Windows
program in the environment variable LWALL_WINDOWS_EXE. Exits 77 (skipped) without it or Wine."""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import zipfile

linux, write_walls, unit_tests = (os.path.abspath(a) for a in sys.argv[1:4])
source = pathlib.Path(sys.argv[4]).resolve()
windows = os.environ.get("LWALL_WINDOWS_EXE")
wine = shutil.which("wine") or shutil.which("wine64")
if not windows or not os.path.exists(windows) or not wine:
    print("no Windows program (LWALL_WINDOWS_EXE) or no Wine")
    sys.exit(1 if os.environ.get("LWALL_REQUIRE_WINDOWS") else 77)  # CI requires it
windows = os.path.abspath(windows)
env = dict(os.environ, WINEDEBUG="-all", LANG="C.UTF-8")
OUTPUTS = ("Lwall.dxf", "plenk.scr", "Lwall.svg", "Lwall.csv")


def outputs(folder):
    """The fixed outputs and the SXF sheets, one per frame."""
    return list(OUTPUTS) + sorted(p.name for p in folder.glob("Lwall-*.sfc"))


def run(program, folder, args, exe=None):
    for name in outputs(folder):
        (folder / name).unlink(missing_ok=True)
    command = ([linux] if program == "linux" else [wine, exe or windows]) + args
    # Like with like: a Windows console speaks Shift_JIS, and so does the Linux program in the C
    # locale (in a UTF-8 locale it would speak UTF-8). Japanese for both.
    run_env = dict(env, LC_ALL="C", LANG="C") if program == "linux" else env
    # Files, not pipes: the services Wine starts beside a program would hold a pipe open.
    console, errors = folder.parent / "console.txt", folder.parent / "errors.txt"
    with open(console, "wb") as out, open(errors, "wb") as err:
        status = subprocess.run(command, cwd=folder, env=run_env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                timeout=120).returncode
    files = {name: (folder / name).read_bytes() for name in outputs(folder) if (folder / name).exists()}
    # The console's lines, each as it is: Windows ends a console line in CR LF, Linux in LF.
    return status, console.read_bytes().replace(b"\r\n", b"\n"), errors.read_bytes().replace(b"\r\n", b"\n"), files


def walls(tmp):
    """(folder, option sets) of every wall compared."""
    layers = source / "examples/level/GasouL.dat"
    found = []
    for wall in sorted(source.glob("examples/*/PlenkL.dat")) + sorted(source.glob("tests/**/PlenkL.dat")) + \
            sorted(source.glob("bench/*/PlenkL.dat")):
        found.append((wall.parent, [[], ["--svg", "--csv", "--sfc"], ["--check"], ["--explain"]]))
    subprocess.run([write_walls, "20261207", "300", str(tmp / "random")], check=True)
    for folder in sorted((tmp / "random").iterdir()):
        shutil.copy(layers, folder / "GasouL.dat")
        found.append((folder, [["--svg", "--csv", "--sfc"], ["--check"]]))
    # Refusals and stops: malformed text, the size limits, the member length, a missing layer file.
    level = (source / "examples/level/PlenkL.dat").read_text().split("\n")
    refused = {"letter": (1, "500,3x0,1000"), "wide": (0, "1500,300,1000"), "member": (5, "100,100,4000"),
               "short-crlf": (0, "500,300\r"), "zones": (6, "7")}
    for name, (line, text) in refused.items():
        folder = tmp / "refused" / name
        folder.mkdir(parents=True)
        wall = list(level)
        wall[line] = text
        (folder / "PlenkL.dat").write_text("\n".join(wall))
        shutil.copy(layers, folder / "GasouL.dat")
        found.append((folder, [["--svg", "--csv"], ["--check"], ["--explain"]]))
    missing = tmp / "refused" / "no-layers"
    missing.mkdir()
    shutil.copy(source / "examples/level/PlenkL.dat", missing)
    found.append((missing, [[]]))
    return found


def compare(tmp):
    """Runs both programs on every wall; returns the number of runs that differ."""
    subprocess.run([wine, windows, "--version"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)  # Wine's first start
    differ = compared = 0
    for folder, option_sets in walls(tmp):
        work = tmp / "work"
        shutil.rmtree(work, ignore_errors=True)
        shutil.copytree(folder, work)
        for args in option_sets:
            a = run("linux", work, args)
            b = run("windows", work, args)
            compared += 1
            if a != b and b[1:3] == (b"", b"") and b[0] != 0:
                # Wine itself now and then fails to start a program (status 1, nothing written);
                # the program's own failures always say something, and would fail again.
                print(f"Wine did not start the program for {folder} {' '.join(args)}: once more")
                b = run("windows", work, args)
            if a == b:
                continue
            differ += 1
            what = [part for part, x, y in zip(["status", "console", "errors"], a, b) if x != y]
            what += [name for name in OUTPUTS if a[3].get(name) != b[3].get(name)]
            print(f"DIFFERENT: {folder} {' '.join(args)}: {', '.join(what)}")
            if a[:3] != b[:3]:
                print(f"  linux:   {a[0]} {a[1][:200]!r} {a[2][:200]!r}\n  windows: {b[0]} {b[1][:200]!r} {b[2][:200]!r}")
    print(f"{compared} runs compared, {differ} different")
    return differ


def pdf_refused():
    """lwall.exe --pdf: the Windows program has no PDF writer, so it says so in one line, Japanese
    first, ends with status 11 and writes nothing. Returns 1 when it does not."""
    with tempfile.TemporaryDirectory() as tmp:
        folder = pathlib.Path(tmp) / "wall"
        folder.mkdir()
        for name in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(source / "examples/level" / name, folder)
        status, console, errors, files = run("windows", folder, ["--pdf"])
        refusal = "このビルドではPDFを書けません。エディタの印刷表示を使ってください。\n".encode("shift_jis")
        written = sorted(p.name for p in folder.iterdir() if p.name not in ("PlenkL.dat", "GasouL.dat"))
        if status == 11 and console.startswith(refusal) and console.count(b"\n") == 1 and not errors and not written:
            print("lwall.exe --pdf refuses in one line with status 11")
            return 0
        print(f"DIFFERENT: lwall.exe --pdf: {status} {console!r} {errors!r} {written}")
        return 1


def unzipped_release_draws(build):
    """The release archive beside the program, unzipped into a folder with a Japanese name, draws
    its example walls where they lie as the Linux program does. Returns 1 when it does not."""
    archives = sorted(build.glob("lwall-*-windows-x64.zip"))
    if not archives:
        print("no release archive beside the program: not tried")
        return 0
    with tempfile.TemporaryDirectory() as tmp:
        home = pathlib.Path(tmp) / "擁壁の図面"
        with zipfile.ZipFile(archives[-1]) as z:
            z.extractall(home)
        (top,) = home.iterdir()
        for example in ("level", "sloped"):
            folder = top / "examples" / example
            b = run("windows-release", folder, ["--svg"], exe=str(top / "lwall.exe"))
            a = run("linux", folder, ["--svg"])
            if a != b:
                print(f"DIFFERENT: the unzipped release on the {example} example")
                return 1
    print("the unzipped release draws both examples as Linux does")
    return 0


# One Wine server for all the runs, kept until the end: started for each run it takes seconds.
wineserver = shutil.which("wineserver") or "wineserver"
subprocess.run([wineserver, "-p"], env=env, timeout=60)
try:
    with tempfile.TemporaryDirectory() as tmp:
        faults = compare(pathlib.Path(tmp))
    faults += unzipped_release_draws(pathlib.Path(windows).parent)
    faults += pdf_refused()
    # The suite's end-to-end tests, each running the Windows program.
    faults += subprocess.run([unit_tests, "--gtest_filter=EndToEnd.*:CommandLine.*:MemberLengthEndToEnd.*"],
                             env=dict(env, LWALL_PROGRAM=f"'{wine}' '{windows}'")).returncode != 0
    faults += subprocess.run([sys.executable, str(source / "tests/server/check_serve_command.py"), windows,
                              str(source / "examples"), wine], env=env).returncode != 0
    sys.exit(1 if faults else 0)
finally:
    subprocess.run([wineserver, "-k"], env=env, timeout=60)
