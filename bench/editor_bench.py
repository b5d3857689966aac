#!/usr/bin/env python3
"""The editor's speed as an engineer meets it: from a field change to the new sheet on the screen,
measured inside a real browser (headless Chromium) over loopback, for the example walls and the
large wall; and the server's memory over 1000 previews. Prints; never fails on the figures.
The page measures each preview itself (performance.measure "preview": from the input event to the
frame after the sheet was painted).
Usage: editor_bench.py PATH/TO/lwall [changes]"""
import http.client
import json
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
WALLS = [("level", ROOT / "examples/level"), ("sloped", ROOT / "examples/sloped"), ("large", ROOT / "bench/large")]
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1600,1000"]


def serve(exe, folder):
    server = subprocess.Popen([exe, "serve", "--port", "0", "--lang", "en"], cwd=folder, stdout=subprocess.PIPE,
                              text=True)
    url = re.fullmatch(r"lwall: serving (\S+)", server.stdout.readline().strip()).group(1)
    return server, url


def percentile(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(round(p / 100 * (len(values) - 1))))]


def latency(exe, folder, changes, webdriver, Service, By):
    server, url = serve(exe, folder)
    options = webdriver.ChromeOptions()
    for flag in FLAGS + [f"--user-data-dir={folder / 'profile'}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.get(url)
        end = time.time() + 60
        while driver.execute_script("return document.body.dataset.busy") != "false":  # the first sheet
            if time.time() > end:
                raise RuntimeError("no preview")
            time.sleep(0.05)
        field = driver.find_element(By.NAME, "wall_height")
        base = float(field.get_attribute("value"))
        driver.set_script_timeout(60)
        for k in range(changes + 1):
            # A field change as the page sees a typed one: a new value and its input event; then one
            # wait inside the page until the sheet of that change is shown and none is on its way.
            # (Asking the page every few milliseconds would take its main thread from the preview.)
            driver.execute_async_script("""
                const [field, value, done] = arguments;
                const before = Number(document.body.dataset.previewSeq || 0);
                const shown = () => Number(document.body.dataset.previewSeq || 0) > before &&
                    document.body.dataset.busy === 'false';
                const watch = new MutationObserver(() => {
                  if (shown()) {
                    watch.disconnect();
                    done();
                  }
                });
                watch.observe(document.body, {attributes: true, attributeFilter: ['data-preview-seq', 'data-busy']});
                field.value = value;
                field.dispatchEvent(new Event('input', {bubbles: true}));
            """, field, f"{base - 10 * (k % 10 + 1):g}")
            time.sleep(0.05)
        times = {name: driver.execute_script("return performance.getEntriesByName(arguments[0]).map(e => e.duration)",
                                             name)[2:]  # the first sheet and the first change warm the page up
                 for name in ("preview", "preview-answer", "preview-show")}
        status = driver.execute_script("return document.body.dataset.status")
        return times, status
    finally:
        driver.quit()
        server.terminate()
        server.wait()


def rss_mb(pid):
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def server_share(exe, folder, body, changes):
    """The server's part of a preview alone: the request over loopback and the whole answer read,
    timed from outside, without a browser (same wall, wall_height changed as the page does)."""
    server, url = serve(exe, folder)
    try:
        port = int(re.search(r":(\d+)/", url).group(1))
        conn = http.client.HTTPConnection("127.0.0.1", port)
        times = []
        for k in range(changes + 2):
            start = time.perf_counter()
            conn.request("POST", "/api/preview", body(k), {"Content-Type": "application/json"})
            conn.getresponse().read()
            times.append((time.perf_counter() - start) * 1000)
        return times[2:]
    finally:
        server.terminate()
        server.wait()


def memory(exe, folder, bodies, total=1000):
    server, url = serve(exe, folder)
    try:
        port = int(re.search(r":(\d+)/", url).group(1))
        conn = http.client.HTTPConnection("127.0.0.1", port)
        marks = {}
        for n in range(1, total + 1):
            conn.request("POST", "/api/preview", bodies[n % len(bodies)], {"Content-Type": "application/json"})
            answer = json.loads(conn.getresponse().read())
            if answer["status"] != 0:
                raise RuntimeError(f"a preview of the benchmark ended with status {answer['status']}")
            if n in (100, 500, total):
                marks[n] = rss_mb(server.pid)
        return marks
    finally:
        server.terminate()
        server.wait()


def main():
    exe = str(pathlib.Path(sys.argv[1]).resolve())
    changes = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        from selenium.webdriver.common.by import By
    except ImportError:
        print("editor: Selenium is missing (Debian: python3-selenium); browser figures left out")
        return
    if not shutil.which("chromedriver"):
        print("editor: chromedriver is missing (Debian: chromium-driver); browser figures left out")
        return
    probe = subprocess.run([exe, "serve", "--port", "x"], capture_output=True, text=True)
    if "not in this build" in probe.stdout:
        print("editor: this lwall was built without the editor")
        return
    print(f"editor: from a field change to the new sheet on the screen ({changes} changes of wall_height each)")
    print(f"{'wall':<8} {'median':>9} {'p95':>9} {'max':>9}   of which: answer (server, transfer), painting (medians)")
    with tempfile.TemporaryDirectory() as tmp:
        bodies = []
        served = {}
        for name, source in WALLS:
            folder = pathlib.Path(tmp) / name
            folder.mkdir()
            for f in ("PlenkL.dat", "GasouL.dat"):
                shutil.copy(source / f, folder)
            parts, status = latency(exe, folder, changes, webdriver, Service, By)
            times = parts["preview"]
            print(f"{name:<8} {statistics.median(times):6.1f} ms {percentile(times, 95):6.1f} ms "
                  f"{max(times):6.1f} ms   {statistics.median(parts['preview-answer']):6.1f} ms "
                  f"{statistics.median(parts['preview-show']):6.1f} ms" + ("" if status == "0" else f"  (status {status})"))
            wall, layers = (source / "PlenkL.dat").read_text(), (source / "GasouL.dat").read_text()
            bodies.append(json.dumps({"wall": wall, "layers": layers}).encode())
            height = wall.split("\n")[1].split(",")[0].strip()

            def changed(k, wall=wall, layers=layers, height=height):
                lines = wall.split("\n")
                lines[1] = lines[1].replace(height, f"{float(height) - 10 * (k % 10 + 1):g}", 1)
                return json.dumps({"wall": "\n".join(lines), "layers": layers}).encode()
            served[name] = server_share(exe, folder, changed, changes)
        for name, times in served.items():
            print(f"{name:<8} server alone (request to the last byte of the answer, no browser): median "
                  f"{statistics.median(times):.1f} ms, p95 {percentile(times, 95):.1f} ms")
        marks = memory(exe, pathlib.Path(tmp) / "level", bodies)
        print("server memory over 1000 previews (level, sloped, large in turn): " +
              ", ".join(f"{mb:.1f} MB after {n}" for n, mb in marks.items()))


if __name__ == "__main__":
    main()
