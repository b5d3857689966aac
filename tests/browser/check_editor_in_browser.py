#!/usr/bin/env python3
"""The editor as an engineer uses it, in a real browser (headless Chromium through Selenium).
Starts `lwall serve --port 0` in a temporary folder holding a copy of the sloped example, then:
opens the page and sees the sheet; changes wall_height and sees it redrawn; types a cover that
leaves no room and sees the finding beside cover6; types a letter into a whole-number field and
sees the refusal with its field marked; downloads Lwall.dxf and PlenkL.dat and compares the
drawing byte for byte with the command line's on the same files; saves and finds PlenkL.dat in the
folder as the form shows it; opens the print view and prints it to PDF: one A1 landscape page per
frame, and one for the tables. Also: a second server on the same port ends with status 10, and
SIGTERM ends the server with status 0.
Usage: check_editor_in_browser.py LWALL_EXE EXAMPLE_DIR. Exits 77 (skipped) where Chromium, its
driver, Selenium or pdfinfo is missing."""
import base64
import json
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.request

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
DRIVER = shutil.which("chromedriver")
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1600,1000"]
A1 = (841 / 25.4 * 72, 594 / 25.4 * 72)  # landscape, in points

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    webdriver = None


def skip(why):
    print(f"{why}: editor browser test skipped")
    sys.exit(77)


class Editor:
    """The page in the browser, with the waits a person does without thinking."""

    def __init__(self, driver):
        self.d = driver
        self.wait = WebDriverWait(driver, 60, poll_frequency=0.05)

    def seq(self):
        return int(self.d.execute_script("return document.body.dataset.previewSeq || 0"))

    def picture(self):
        return self.d.execute_script("return document.querySelector('#sheet-view canvas').toDataURL()")

    def field(self, name):
        return self.d.find_element(By.NAME, name)

    def type_into(self, name, text):
        """Types into a field as a person does, and waits for the sheet drawn from it."""
        before = self.seq()
        el = self.field(name)
        el.click()
        el.send_keys(Keys.CONTROL, "a")
        el.send_keys(text)
        self.settle(before)

    def settle(self, before):
        """Waits until the sheet of the last key is shown and none is on its way."""
        self.wait.until(lambda d: self.seq() > before and d.execute_script("return document.body.dataset.busy") == "false")

    def status(self):
        return (self.d.find_element(By.ID, "status-code").text, self.d.find_element(By.ID, "status-message").text)

    def notes(self, name):
        return self.d.execute_script(
            "return [...document.querySelectorAll('[data-field]')].filter(e => e.dataset.field === arguments[0])"
            ".map(e => e.querySelector('.note').textContent).join(' ')", name)

    def form_text(self, catalogue):
        """PlenkL.dat as the form shows it: each line's values, separated by commas."""
        values = self.d.execute_script(
            "return Object.fromEntries([...document.querySelectorAll('#wall-form input')].map(i => [i.name, i.value]))")
        lines = {}
        for f in catalogue["fields"]:
            lines.setdefault(f["line"], []).append(values[f["name"]])
        text = ""
        for n in range(1, catalogue["lines"] + 1):
            row = lines[n]
            while row and row[-1] == "":
                row.pop()
            text += ",".join(row) + "\n"
        return text


def wait_for_file(path, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        if path.exists() and not pathlib.Path(str(path) + ".crdownload").exists() and path.stat().st_size > 0:
            return path.read_bytes()
        time.sleep(0.1)
    raise AssertionError(f"{path.name} was not downloaded")


def main():
    if CHROMIUM is None or DRIVER is None:
        skip("Chromium or its driver is not installed (Debian: chromium, chromium-driver)")
    if webdriver is None:
        skip("Selenium is not installed (Debian: python3-selenium)")
    if shutil.which("pdfinfo") is None:
        skip("pdfinfo is not installed (Debian: poppler-utils)")
    exe = str(pathlib.Path(sys.argv[1]).resolve())
    example = pathlib.Path(sys.argv[2])
    problems = []

    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            problems.append(what)

    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        served, downloads, cli = tmp / "served", tmp / "downloads", tmp / "cli"
        for d in (served, downloads, cli):
            d.mkdir()
        for name in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(example / name, served)
        server = subprocess.Popen([exe, "serve", "--port", "0", "--lang", "en"], cwd=served, stdout=subprocess.PIPE,
                                  text=True)
        try:
            ready = server.stdout.readline().rstrip("\n")
            m = re.fullmatch(r"lwall: serving (http://127\.0\.0\.1:(\d+)/)", ready)
            check(m is not None, f"the server says where it serves: {ready!r}")
            if m is None:
                return problems
            url, port = m.group(1), m.group(2)

            second = subprocess.run([exe, "serve", "--port", port, "--lang", "en"], capture_output=True, text=True,
                                    timeout=30)
            check(second.returncode == 10 and second.stdout.count("\n") == 1,
                  f"a second server on the port ends with status 10 and one line: {second.returncode} {second.stdout!r}")

            catalogue = json.load(urllib.request.urlopen(url + "api/fields"))
            options = webdriver.ChromeOptions()
            for flag in FLAGS + [f"--user-data-dir={tmp / 'profile'}"]:
                options.add_argument(flag)
            options.add_experimental_option("prefs", {"download.default_directory": str(downloads),
                                                      "download.prompt_for_download": False})
            driver = webdriver.Chrome(service=Service(DRIVER), options=options)
            try:
                driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(downloads)})
                use_the_editor(Editor(driver), exe, url, catalogue, served, downloads, cli, example, check)
            finally:
                driver.quit()
        finally:
            if server.poll() is None:
                server.send_signal(signal.SIGTERM)
            try:
                status = server.wait(timeout=20)
            except subprocess.TimeoutExpired:
                server.kill()
                status = "still running after 20 s"
            check(status == 0, f"SIGTERM ends the server with status 0: {status}")
    return problems


def use_the_editor(e, exe, url, catalogue, served, downloads, cli, example, check):
    d = e.d
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1)
    check(e.status()[0] == "status 0" and d.find_element(By.ID, "sheet-view").get_attribute("data-elements") not in
          (None, "", "0 0 0"), f"the page shows the sheet of the folder's wall: {e.status()}")
    check(len(d.find_elements(By.CSS_SELECTOR, "#wall-form input")) == len(catalogue["fields"]) == 165,
          "every field of PlenkL.dat has its input")

    before = e.picture()
    e.type_into("wall_height", "2100")
    check(e.status()[0] == "status 0" and e.picture() != before, "a new wall height redraws the sheet")

    e.type_into("cover6", "250")
    note = e.notes("cover6")
    check("cover6" in note and "壁厚" in note, f"a cover that leaves no room is found beside cover6: {note!r}")
    e.type_into("cover6", "100")
    check(e.notes("cover6") == "", "the finding goes with the fault")

    e.type_into("W1.count[1]", "1x")
    code, message = e.status()
    marked = e.field("W1.count[1]").get_attribute("class")
    check(code == "status 6" and "W1.count[1]" in message and "refused" in marked,
          f"a letter in a whole-number field is refused and its field marked: {code} {message!r} {marked!r}")
    before = e.seq()
    e.field("W1.count[1]").send_keys(Keys.BACKSPACE)
    e.settle(before)
    check(e.status()[0] == "status 0" and "refused" not in e.field("W1.count[1]").get_attribute("class"),
          "the refusal goes with the letter")

    for name in ("PlenkL.dat", "Lwall.dxf"):
        d.find_element(By.CSS_SELECTOR, f'[data-download="{name}"]').click()
        wait_for_file(downloads / name)
    wall = (downloads / "PlenkL.dat").read_bytes()
    check(wall.decode() == e.form_text(catalogue), "the downloaded PlenkL.dat is the form's")
    (cli / "PlenkL.dat").write_bytes(wall)
    shutil.copy(example / "GasouL.dat", cli)
    run = subprocess.run([exe], cwd=cli, capture_output=True)
    check(run.returncode == 0 and (downloads / "Lwall.dxf").read_bytes() == (cli / "Lwall.dxf").read_bytes(),
          "the downloaded Lwall.dxf is the command line's, byte for byte")

    d.find_element(By.ID, "save").click()
    e.wait.until(lambda _: "saved" in d.find_element(By.ID, "notice").text)
    check((served / "PlenkL.dat").read_bytes().decode() == e.form_text(catalogue) and
          "2100" in (served / "PlenkL.dat").read_text() and d.find_element(By.ID, "unsaved").get_attribute("hidden"),
          "Save puts PlenkL.dat in the folder as the form shows it")

    d.find_element(By.ID, "print-open").click()
    e.wait.until(lambda _: len(d.find_elements(By.CSS_SELECTOR, ".print-page")) > 0)
    pdf = base64.b64decode(d.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"])
    (downloads / "print.pdf").write_bytes(pdf)
    info = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", str(downloads / "print.pdf")],
                          capture_output=True, text=True).stdout
    sizes = [tuple(map(float, s)) for s in re.findall(r"Page +\d+ size: +([\d.]+) x ([\d.]+) pts", info)]
    a1 = all(abs(w - A1[0]) < 2 and abs(h - A1[1]) < 2 for w, h in sizes)
    # At 1:50 the tables stand beside the second frame: a third page.
    check(len(sizes) == 3 and a1, f"the print view gives an A1 landscape page per frame and one for the tables: {sizes}")
    frame = frame_on_paper(downloads / "print.pdf")
    # 20.5 mm to each side, 22 mm above and below, within the millimetre of the rendering.
    check(frame is not None and all(abs(a - b) <= 1 for a, b in zip(frame, (20.5, 820.5, 22, 572))),
          f"the first frame stands 800 x 550 mm in the middle of its page: {frame}")


def frame_on_paper(pdf):
    """Left, right, top and bottom of the sheet frame on page 1, in millimetres: the outermost lines
    that run dark across more than half the page, rendered at one pixel a millimetre."""
    subprocess.run(["pdftoppm", "-r", "25.4", "-f", "1", "-l", "1", "-gray", str(pdf), str(pdf.with_suffix(""))],
                   check=True)
    data = next(pdf.parent.glob(pdf.stem + "-*1.pgm")).read_bytes()
    magic, size, depth, pixels = data.split(b"\n", 3)
    w, h = map(int, size.split())
    dark = [[pixels[y * w + x] < 128 for x in range(w)] for y in range(h)]
    cols = [x for x in range(w) if sum(dark[y][x] for y in range(h)) > h / 2]
    rows = [y for y in range(h) if sum(dark[y]) > w / 2]
    return (cols[0], cols[-1], rows[0], rows[-1]) if cols and rows else None


if __name__ == "__main__":
    failures = main()
    sys.exit(1 if failures else 0)
