#!/usr/bin/env python3
"""The editor as an engineer uses it, in a real browser (headless Chromium through Selenium).
Starts `lwall serve --port 0` in a temporary folder holding the sloped example written as an
engineer's editor may leave it (CR LF, a blank line, blanks after commas and at a line end) and a
title file (CR LF, a blank line), then:
opens the page and sees the sheet and the title values; saves at once and finds the three files
byte for byte as they were;
types full-width digits into wall_height and sees them as ASCII and the sheet redrawn; types a
cover that leaves no room and sees the finding beside cover6; types a letter into a whole-number
field and sees the refusal with its field marked and the last sheet kept, greyed; downloads
Lwall.dxf and PlenkL.dat and compares the drawing byte for byte with the command line's on the same
files; refuses a title value too long for its box beside its field; saves with Ctrl+S and finds in
the folder only the changed values changed, the wall's in ASCII, the title's as typed; undoes,
redoes and reverts across fields with the unsaved mark following; finds a field by its line; opens
the print view and prints it to PDF: one A1 landscape page per frame of the preview, each at its
frame's scale, every entity on a page, and closes it with Esc; offers the downloads the server
lists (Lwall.pdf, where it can make it: a page per frame, the bytes of lwall --pdf); switches to
English and back; saves a folder without a title file and writes none; takes a thousands comma as
the number it means and refuses several values in their own field, listing every refusal; says a
failed download is a download; on a folder whose PlenkL.dat it cannot open, says why and saves
nothing; on a folder without GasouL.dat says why in Japanese and writes the standard layer file;
in a conflict with the disk shows what differs and keeps everything on each of its three ways on,
in either language after a switch. Also: a second server on the same port ends with status 10,
and SIGTERM ends the server with status 0.
Usage: check_editor_in_browser.py LWALL_EXE EXAMPLE_DIR. Exits 77 (skipped) where Chromium, its
driver, Selenium or pdfinfo is missing."""
import base64
import contextlib
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
        el.send_keys(text or Keys.BACKSPACE)  # nothing typed over the selection empties the field
        self.settle(before)

    def settle(self, before):
        """Waits until the sheet of the last key is shown and none is on its way."""
        self.wait.until(lambda d: self.seq() > before and d.execute_script("return document.body.dataset.busy") == "false")

    def status(self):
        return (self.d.find_element(By.ID, "status-code").text, self.d.find_element(By.ID, "status-message").text)

    def elements(self):
        """The lines, circles and texts of the sheet on the screen."""
        return self.d.find_element(By.ID, "sheet-view").get_attribute("data-elements")

    def status_code(self):
        return self.d.execute_script("return document.body.dataset.status")

    def value(self, name):
        return self.field(name).get_attribute("value")

    def unsaved(self):
        return self.d.find_element(By.ID, "unsaved").get_attribute("hidden") is None

    def keys(self, *keys):
        """Keys pressed wherever the focus is; waits for the sheet they ask for, if any."""
        before = self.seq()
        webdriver.ActionChains(self.d).key_down(keys[0]).send_keys(*keys[1:]).key_up(keys[0]).perform() \
            if len(keys) > 1 else webdriver.ActionChains(self.d).send_keys(keys[0]).perform()
        time.sleep(0.2)
        if self.d.execute_script("return document.body.dataset.busy") == "true" or self.seq() > before:
            self.settle(before)

    def save(self, ctrl_s=False):
        """Saves and waits for what the page says of it: a notice, or the conflict with the disk."""
        self.d.execute_script("const n = document.getElementById('notice'); n.textContent = ''; n.className = ''; "
                              "document.getElementById('conflict').hidden = true")
        if ctrl_s:
            self.keys(Keys.CONTROL, "s")
        else:
            self.d.find_element(By.ID, "save").click()
        self.wait.until(lambda d: (d.find_element(By.ID, "notice").get_attribute("class") in ("ok", "failed") and
                                   d.find_element(By.ID, "notice").text != "") or d.find_element(By.ID, "conflict").is_displayed())

    def refusals(self):
        """The refusals listed above the sheet."""
        return [b.text for b in self.d.find_elements(By.CSS_SELECTOR, "#findings li.refusal button")]

    def zone_notes(self, name):
        """The notes of the zone row a field of a grid stands in."""
        return self.d.execute_script("return document.getElementsByName(arguments[0])[0].closest('tr')"
                                     ".nextElementSibling.textContent", name)

    def notes(self, name):
        return self.d.execute_script(
            "return [...document.querySelectorAll('[data-field]')].filter(e => e.dataset.field === arguments[0])"
            ".map(e => e.querySelector('.note').textContent).join(' ')", name)


def served_files(example):
    """The example as an engineer's editor may leave it: CR LF, a blank line after line 3, blanks
    after the commas of line 2 and at the end of line 5."""
    lines = (example / "PlenkL.dat").read_text().splitlines()
    lines[1] = lines[1].replace(",", ", ")
    lines[4] += "   "
    lines.insert(3, "")
    layers = (example / "GasouL.dat").read_text().splitlines()
    return {"PlenkL.dat": "\r\n".join(lines + [""]).encode(), "GasouL.dat": "\r\n".join(layers + [""]).encode(),
            "HyodaiL.dat": "\r\n".join(TITLE + [""]).encode("cp932")}


# The title file: line 2 blank, blanks after line 4's value.
TITLE = ["県道改良工事", "", "擁壁配筋図", "S-3  ", "2026年12月", "例示設計", "山田"]


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
        for name, text in served_files(example).items():
            (served / name).write_bytes(text)
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
                the_page_keeps_its_own_state(Editor(driver), exe, url, served, tmp, check)
                opens_files_from_the_disk(Editor(driver), url, tmp, example, check)
                each_value_stays_in_its_field(Editor(driver), url, check)
                a_download_that_fails_says_so(Editor(driver), url, check)
                never_saves_over_what_it_could_not_open(Editor(driver), exe, tmp, check)
                a_folder_without_layers_is_offered_the_standard_ones(Editor(driver), exe, tmp, example, check)
                a_conflict_keeps_your_edits(Editor(driver), exe, tmp, example, check)
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
    original = {name: (served / name).read_bytes() for name in ("PlenkL.dat", "GasouL.dat", "HyodaiL.dat")}
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1)
    check(e.status_code() == "0" and d.find_element(By.ID, "sheet-view").get_attribute("data-elements") not in
          (None, "", "0 0 0"), f"the page shows the sheet of the folder's wall: {e.status()}")
    check(len(d.find_elements(By.CSS_SELECTOR, "#wall-form input")) == len(catalogue["fields"]) + 8 == 173,
          "every field of PlenkL.dat and HyodaiL.dat has its input")
    kinds = {f["name"]: f["kind"] for f in catalogue["fields"]}
    said = d.execute_script("return Object.fromEntries([...document.querySelectorAll('#wall-form input')]"
                            ".map(i => [i.name, i.title.includes('(整数)')]))")
    wrong = [n for n, k in kinds.items() if said.get(n) != (k == "whole")]
    check(not wrong and said["F1.zones"] and said["F1.count[1]"] and not said["wall_height"],
          f"a field's tooltip says (整数) exactly where it takes a whole number: {wrong[:5]}")
    # Each zone's values stand in its row: a pitch or count of index k in row k, a diameter "zone n"
    # in row n; and only the title group's legend names HyodaiL.dat.
    labels = {f["name"]: f["label_en"] for f in catalogue["fields"]}
    rows = d.execute_script("return [...document.querySelectorAll('#wall-form table.zones input')]"
                            ".map(i => [i.name, i.closest('tr').dataset.zone])")
    zone_of = lambda name: int((re.search(r"zone (\d)$", labels[name]) or re.search(r"\[(\d)\]$", name)).group(1))
    misplaced = [(n, z) for n, z in rows if int(z) != zone_of(n)]
    legends = d.execute_script("return [...document.querySelectorAll('#wall-form fieldset > legend')]"
                               ".filter(l => l.textContent.includes('HyodaiL.dat')).map(l => l.parentNode.dataset.group)")
    check(len(rows) > 100 and not misplaced and legends == [catalogue["title_file"]["group"]["key"]],
          f"each zone's values stand in its row, HyodaiL.dat on the title group alone: {misplaced[:4]} {legends}")
    shown = d.find_element(By.ID, "folder-bar").text
    check(str(served.resolve()) in shown and "PlenkL.dat あり" in shown and "GasouL.dat あり" in shown and
          "HyodaiL.dat あり" in shown and e.value("project") == "県道改良工事" and e.value("drawing_number") == "S-3",
          f"the page names the folder it saves to and the files there: {shown!r}")
    check(d.find_element(By.ID, "save").text.startswith("保存") and e.status()[0] == "終了コード 0",
          f"the page speaks Japanese: {d.find_element(By.ID, 'save').text!r} {e.status()}")

    e.save()
    check(all((served / n).read_bytes() == original[n] for n in original),
          "saving the unedited wall writes the three files byte for byte as they were (CR LF, blank line, blanks)")

    before = e.picture()
    e.type_into("wall_height", "２１００")
    check(e.field("wall_height").get_attribute("value") == "2100" and e.status_code() == "0" and e.picture() != before,
          f"full-width digits are taken as ASCII and redraw the sheet: {e.field('wall_height').get_attribute('value')!r}")
    check(e.unsaved(), "an edit shows the unsaved mark")

    e.type_into("cover6", "250")
    note = e.notes("cover6")
    check("cover6" in note and "壁厚" in note, f"a cover that leaves no room is found beside cover6: {note!r}")
    e.type_into("cover6", "100")
    check(e.notes("cover6") == "", "the finding goes with the fault")

    e.type_into("W1.count[1]", "1")
    drawn = e.elements()
    before = e.seq()
    e.field("W1.count[1]").send_keys("x")
    e.settle(before)
    code, message = e.status()
    marked = e.field("W1.count[1]").get_attribute("class")
    stale = d.find_element(By.ID, "sheet-view").get_attribute("class")
    listed = e.refusals()
    check(e.status_code() == "6" and len(listed) == 1 and "W1.count[1]" in listed[0] and "refused" in marked and
          "stale" in stale and e.elements() == drawn and e.zone_notes("W1.count[1]").startswith("区間1間隔数: 整数でない"),
          f"a letter in a whole-number field is refused, its field marked, the last sheet kept greyed: "
          f"{code} {message!r} {listed} {marked!r} {stale!r}")
    before = e.seq()
    e.field("W1.count[1]").send_keys(Keys.BACKSPACE)
    e.settle(before)
    check(e.status_code() == "0" and "refused" not in e.field("W1.count[1]").get_attribute("class") and
          "stale" not in d.find_element(By.ID, "sheet-view").get_attribute("class"), "the refusal goes with the letter")

    # Only the changed values change: wall_height in its place on line 2, W1.count[1] on line 26
    # (the file's 27th, after the blank line).
    lines = original["PlenkL.dat"].split(b"\r\n")
    assert lines[1].startswith(b"2300, ") and lines[26] == b"12,11,11,12,0"
    lines[1] = b"2100" + lines[1][4:]
    lines[26] = b"1,11,11,12,0"
    expected = b"\r\n".join(lines)
    for name in ("PlenkL.dat", "Lwall.dxf"):
        d.find_element(By.CSS_SELECTOR, f'[data-download="{name}"]').click()
        wait_for_file(downloads / name)
    wall = (downloads / "PlenkL.dat").read_bytes()
    check(wall == expected, f"the downloaded PlenkL.dat is the folder's with the changed values in place: {wall[:80]!r}")
    (cli / "PlenkL.dat").write_bytes(wall)
    shutil.copy(example / "GasouL.dat", cli)
    (cli / "HyodaiL.dat").write_bytes(original["HyodaiL.dat"])
    run = subprocess.run([exe], cwd=cli, capture_output=True)
    check(run.returncode == 0 and (downloads / "Lwall.dxf").read_bytes() == (cli / "Lwall.dxf").read_bytes(),
          "the downloaded Lwall.dxf is the command line's, byte for byte, title block included")

    # A title value is text: too long for its box, refused beside it; full-width digits stay.
    e.type_into("drawing_number", "図" * 40)
    note = e.notes("drawing_number")
    listed = e.refusals()
    check(e.status_code() == "6" and e.status()[0] == "終了コード 6" and note.startswith("図面番号: 80 バイト") and
          note.count("バイト") == 2 and len(listed) == 1 and "HyodaiL.dat" in listed[0] and "drawing_number" in listed[0],
          f"a title value too long for its box is refused once beside its field with its label, in Japanese, with "
          f"status 6: {e.status()[0]!r} {note!r} {listed}")
    # A character Shift_JIS lacks is refused beside the title field of its line, not a wall field's.
    e.type_into("drawing_number", "S-한")
    note = e.notes("drawing_number")
    check(note.startswith("図面番号: 文字「한」(U+D55C)") and e.status_code() == "6" and "U+D55C" not in e.notes("cover1"),
          f"a character without a Shift_JIS form is refused beside its title field with its label, status 6: {note!r}")
    e.type_into("drawing_number", "S-3")
    e.type_into("date", "２０２６年１２月")
    check(e.value("date") == "２０２６年１２月" and e.status_code() == "0", "a title value is taken as typed")

    e.save(ctrl_s=True)
    title = TITLE[:]
    title[4] = "２０２６年１２月"
    check((served / "PlenkL.dat").read_bytes() == expected and (served / "GasouL.dat").read_bytes() == original["GasouL.dat"]
          and (served / "HyodaiL.dat").read_bytes() == "\r\n".join(title + [""]).encode("cp932") and not e.unsaved(),
          "Ctrl+S saves the changed values (the wall's in ASCII, the title's as typed), the rest of the files as they were")

    # Undo and redo go across fields; the unsaved mark follows the texts, not the keys.
    e.type_into("cover1", "150")
    e.type_into("wall_thickness", "360")
    e.keys(Keys.CONTROL, "z")
    check(e.value("wall_thickness") == "350" and e.value("cover1") == "150" and e.unsaved(), "undo takes back the last field")
    e.keys(Keys.CONTROL, "z")
    check(e.value("cover1") == "100" and not e.unsaved(), "a second undo the field before it, back to the saved texts")
    e.keys(Keys.CONTROL, "y")
    check(e.value("cover1") == "150" and e.value("wall_thickness") == "350" and e.unsaved(), "redo gives it again")
    before = e.seq()
    d.find_element(By.ID, "revert").click()
    e.settle(before)
    check(e.value("cover1") == "100" and not e.unsaved(), "保存時に戻す returns to the saved texts")

    box = d.find_element(By.ID, "field-search")
    box.send_keys("26行", Keys.ENTER)
    focused = d.execute_script("return document.activeElement.name")
    check(focused == "W1.count[1]", f"the search finds a field by its line: {focused!r}")

    preview = json.load(urllib.request.urlopen(urllib.request.Request(
        url + "api/preview", method="POST", headers={"Content-Type": "application/json"},
        data=json.dumps({"wall": expected.decode("cp932"), "layers": original["GasouL.dat"].decode("cp932"),
                         "title": "\r\n".join(title + [""])}).encode())))
    frames = preview["frames"]
    d.find_element(By.ID, "print-open").click()
    e.wait.until(lambda _: len(d.find_elements(By.CSS_SELECTOR, ".print-page")) > 0)
    pages = d.execute_script("""return [...document.querySelectorAll('.print-page')].map(p => {
        const v = p.querySelector('svg').viewBox.baseVal;
        const c = p.querySelector('clipPath rect');
        const n = (k) => Number(c.getAttribute(k));
        const x0 = Math.max(v.x, n('x')), y0 = Math.max(v.y, n('y'));
        return {scale: Number(p.dataset.scale), width: v.width,
                shown: [x0, y0, Math.min(v.x + v.width, n('x') + n('width')), Math.min(v.y + v.height, n('y') + n('height'))]};
      })""")
    check(len(pages) == len(frames) >= 2 and all(p["scale"] == f["scale"] and abs(p["width"] - 841 * f["scale"]) < 1e-6
                                                 for p, f in zip(pages, frames)),
          f"the print view has a page per frame at its frame's scale: {[(p['scale'], p['width']) for p in pages]}")
    points = []
    for s in preview["display"]["strokes"]:
        points += [(s["lines"][i], s["lines"][i + 1]) for i in range(0, len(s["lines"]), 2)]
        points += [(s["circles"][i], s["circles"][i + 1]) for i in range(0, len(s["circles"]), 3)]
    for g in preview["display"]["texts"]:
        points += [(g["at"][i], g["at"][i + 1]) for i in range(0, len(g["at"]), 3)]
    cut = [pt for pt in points if not any(p["shown"][0] <= pt[0] <= p["shown"][2] and p["shown"][1] <= pt[1] <= p["shown"][3]
                                          for p in pages)]
    check(points and not cut, f"every line end, circle and text stands on a page: {len(cut)} of {len(points)} do not, {cut[:3]}")
    pdf = base64.b64decode(d.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"])
    (downloads / "print.pdf").write_bytes(pdf)
    info = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", str(downloads / "print.pdf")],
                          capture_output=True, text=True).stdout
    sizes = [tuple(map(float, s)) for s in re.findall(r"Page +\d+ size: +([\d.]+) x ([\d.]+) pts", info)]
    a1 = all(abs(w - A1[0]) < 2 and abs(h - A1[1]) < 2 for w, h in sizes)
    check(len(sizes) == len(frames) and a1, f"the print view prints an A1 landscape page per frame: {sizes}")
    frame = frame_on_paper(downloads / "print.pdf")
    # 20.5 mm to each side, 22 mm above and below, within the millimetre of the rendering.
    check(frame is not None and all(abs(a - b) <= 1 for a, b in zip(frame, (20.5, 820.5, 22, 572))),
          f"the first frame stands 800 x 550 mm in the middle of its page: {frame}")
    e.keys(Keys.ESCAPE)
    check(d.find_element(By.ID, "print-view").get_attribute("hidden") is not None, "Esc closes the print view")

    # The downloads are the server's list; Lwall.pdf among them where the PDF module loads.
    names = [b.get_attribute("data-download") for b in d.find_elements(By.CSS_SELECTOR, "[data-download]")]
    check(names == preview["downloads"] and names[:5] == ["Lwall.dxf", "plenk.scr", "Lwall.csv", "Lwall.svg", "PlenkL.dat"],
          f"the page offers the downloads the server lists: {names}")
    if "Lwall.pdf" in names:
        d.find_element(By.CSS_SELECTOR, '[data-download="Lwall.pdf"]').click()
        wait_for_file(downloads / "Lwall.pdf")
        info = subprocess.run(["pdfinfo", "-f", "1", "-l", "99", str(downloads / "Lwall.pdf")],
                              capture_output=True, text=True).stdout
        sizes = re.findall(r"Page +\d+ size: +([\d.]+) x ([\d.]+) pts", info)
        check(len(sizes) == len(frames) and all(abs(float(w) - A1[0]) < 2 and abs(float(h) - A1[1]) < 2 for w, h in sizes),
              f"the downloaded Lwall.pdf has an A1 landscape page per frame: {sizes}")
        # The same bytes as lwall --pdf on the same files, run after run: no clock in the file.
        (cli / "PlenkL.dat").write_bytes(expected)
        (cli / "HyodaiL.dat").write_bytes("\r\n".join(title + [""]).encode("cp932"))
        runs = [subprocess.run([exe, "--pdf"], cwd=cli, capture_output=True) for _ in range(2)]
        check(all(r.returncode == 0 for r in runs) and (cli / "Lwall.pdf").read_bytes() == (downloads / "Lwall.pdf").read_bytes(),
              "the editor's Lwall.pdf is lwall --pdf's, byte for byte")
    else:
        missing = d.find_elements(By.CSS_SELECTOR, '[data-missing="Lwall.pdf"]')
        check(missing and "Lwall.pdf" in missing[0].text, "where the server makes no PDF, the page says why beside the downloads")

    before = e.seq()
    d.find_element(By.ID, "lang").click()
    e.settle(before)
    d.refresh()
    e.wait.until(lambda _: e.seq() >= 1)
    check(d.find_element(By.ID, "save").text.startswith("Save") and e.status()[0] == "status 0",
          f"English on the switch, kept over a reload: {d.find_element(By.ID, 'save').text!r} {e.status()}")
    d.find_element(By.ID, "lang").click()

    # A folder without a title file keeps none after an unedited save.
    (served / "HyodaiL.dat").unlink()
    wall = (served / "PlenkL.dat").read_bytes()
    d.refresh()
    e.wait.until(lambda _: e.seq() >= 1)
    e.save()
    check(not (served / "HyodaiL.dat").exists() and (served / "PlenkL.dat").read_bytes() == wall and e.value("project") == "",
          "an unedited save of a folder without HyodaiL.dat writes none")


# Spies set before the page's own scripts: the lines and circles put into the sheet's paths, each
# text painted with the screen point it lands on (from the last painting of the sheet), and the
# script errors nothing caught.
SPIES = """
window.__drawn = {line: 0, circle: 0, texts: [], errors: 0};
const lineTo = Path2D.prototype.lineTo, arc = Path2D.prototype.arc;
Path2D.prototype.lineTo = function (...a) { window.__drawn.line++; return lineTo.apply(this, a); };
Path2D.prototype.arc = function (...a) { window.__drawn.circle++; return arc.apply(this, a); };
const fillRect = CanvasRenderingContext2D.prototype.fillRect, fillText = CanvasRenderingContext2D.prototype.fillText;
CanvasRenderingContext2D.prototype.fillRect = function (...a) {
  if (this.canvas.parentElement?.id === 'sheet-view') window.__drawn.texts = [];
  return fillRect.apply(this, a);
};
CanvasRenderingContext2D.prototype.fillText = function (text, x, y, ...rest) {
  const p = this.getTransform().transformPoint(new DOMPoint(x, y));
  window.__drawn.texts.push([text, p.x, p.y]);
  return fillText.call(this, text, x, y, ...rest);
};
addEventListener('error', () => window.__drawn.errors++);
addEventListener('unhandledrejection', () => window.__drawn.errors++);
"""

# Holds the answer to the next preview until window.__release() is called.
HOLD_NEXT_PREVIEW = """
const real = window.__realFetch = window.__realFetch || window.fetch;
window.__previews = 0;
window.fetch = (url, options) => {
  const answer = real(url, options);
  if (!String(url).startsWith('/api/preview') || window.__previews++ > 0) return answer;
  return new Promise((ok, no) => { window.__release = () => answer.then((r) => ok(window.__held = r), no); });
};
"""


def the_page_keeps_its_own_state(e, exe, url, served, tmp, check):
    """What the page alone gets right or wrong: the sheet as painted against the command line's and
    the display list, the fitted view and the wheel's zoom about the pointer, a refusal marking and
    focusing only its own field, an error answer shown without losing the last sheet, and a late
    answer never drawn over a newer one."""
    d = e.d
    spies = d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": SPIES})["identifier"]
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1 and d.execute_script("return document.body.dataset.busy") == "false")
    pane = d.find_element(By.ID, "sheet-view")
    view = lambda: list(map(float, pane.get_attribute("data-view").split()))
    texts = {n: (served / n).read_bytes().decode("cp932") if (served / n).exists() else None
             for n in ("PlenkL.dat", "GasouL.dat", "HyodaiL.dat")}

    # Every line and circle goes into the painted sheet, as many as the command line's picture has.
    cli = tmp / "state"
    cli.mkdir()
    for name, text in texts.items():
        if text is not None:
            (cli / name).write_bytes((served / name).read_bytes())
    subprocess.run([exe, "--svg"], cwd=cli, capture_output=True, check=True)
    svg = (cli / "Lwall.svg").read_text()
    expected = [len(re.findall(f"<{tag}[ >]", svg)) for tag in ("line", "circle", "text")]
    drawn = d.execute_script("return window.__drawn")
    check([drawn["line"], drawn["circle"]] == expected[:2] and pane.get_attribute("data-elements") == "%d %d %d" % tuple(expected),
          f"the sheet paints every line and circle of the command line's picture: {drawn['line']} {drawn['circle']} "
          f"{pane.get_attribute('data-elements')!r}, picture {expected}")

    # Fitted whole: the frame centred in the pane, filling it one way.
    w, h = d.execute_script("return [arguments[0].clientWidth, arguments[0].clientHeight]", pane)
    fx, fy, fw, fh = map(float, pane.get_attribute("data-viewbox").split())
    vx, vy, zoom = view()
    left, top, right, bottom = (fx - vx) * zoom, (fy - vy) * zoom, (fx + fw - vx) * zoom, (fy + fh - vy) * zoom
    check(abs(left - (w - right)) < 1e-6 * w and abs(top - (h - bottom)) < 1e-6 * h and abs(min(left, top)) < 1e-6 * w,
          f"the sheet is fitted whole, in the middle of the pane: {left:.4f} {top:.4f} {right:.4f} {bottom:.4f} in {w} x {h}")
    # ... and fills it: its frames, none over another, side by side in this wide pane (two A1 frames in
    # a row could take at most 0.56 of it, one over the other 0.45).
    rects = [(p["rect"]["x"] + p["offset"][0], p["rect"]["y"] + p["offset"][1], p["rect"]["w"], p["rect"]["h"])
             for p in json.loads(pane.get_attribute("data-frames")) if p["rect"]]
    apart = all(a[0] + a[2] <= b[0] or b[0] + b[2] <= a[0] or a[1] + a[3] <= b[1] or b[1] + b[3] <= a[1]
                for i, a in enumerate(rects) for b in rects[i + 1:])
    filled = sum(r[2] * r[3] for r in rects) * zoom * zoom / (w * h)
    check(len(rects) >= 2 and apart and filled > 0.47, f"the frames fill the pane, none over another: {filled:.2f} of it")

    # Each text painted stands at its own insertion point, upright and turned ones alike.
    ask = lambda wall: json.load(urllib.request.urlopen(urllib.request.Request(
        url + "api/preview", method="POST", headers={"Content-Type": "application/json"},
        data=json.dumps({"wall": wall, "layers": texts["GasouL.dat"], "title": texts["HyodaiL.dat"]}).encode())))
    display = ask(texts["PlenkL.dat"])["display"]
    at = {}
    for g in display["texts"]:
        for i, text in enumerate(g["strings"]):
            at.setdefault(text, []).append(tuple(g["at"][3 * i:3 * i + 3]))
    k = zoom * d.execute_script("return window.devicePixelRatio || 1")
    painted = d.execute_script("return window.__drawn.texts")
    # Each frame stands where the pane shows it best: a text moves with the frame that holds it.
    placed = json.loads(pane.get_attribute("data-frames"))

    def moved(x, y):
        for p in placed:
            r = p["rect"]
            if r is None or (r["x"] <= x <= r["x"] + r["w"] and r["y"] <= y <= r["y"] + r["h"]):
                return x + p["offset"][0], y + p["offset"][1]
        return x, y
    off = [(t, vx + px / k, vy + py / k) for t, px, py in painted
           if not any(abs(vx + px / k - mx) < 0.25 and abs(vy + py / k - my) < 0.25
                      for mx, my in (moved(x, y) for x, y, _ in at.get(t, [])))]
    turned = [t for t, _, _ in painted if any(a for _, _, a in at.get(t, []))]
    check(painted and turned and not off,
          f"each of {len(painted)} texts painted ({len(turned)} turned) stands at its insertion point: {off[:3]}")

    # The wheel zooms about the pointer: the drawing point under it stays under it.
    r = d.execute_script("const r = arguments[0].getBoundingClientRect(); return [r.left, r.top]", pane)
    cx, cy = round(r[0] + 0.3 * w), round(r[1] + 0.6 * h)  # a pointer stands on whole pixels
    px, py = cx - r[0], cy - r[1]
    wx, wy = vx + px / zoom, vy + py / zoom
    d.execute_script("arguments[0].dispatchEvent(new WheelEvent('wheel', {clientX: arguments[1], clientY: arguments[2], "
                     "deltaY: -400, bubbles: true, cancelable: true}))", pane, cx, cy)
    e.wait.until(lambda _: view()[2] > zoom * 1.5)
    vx2, vy2, zoom2 = view()
    check(abs((wx - vx2) * zoom2 - px) < 0.01 and abs((wy - vy2) * zoom2 - py) < 0.01,
          f"the wheel keeps the point under the pointer: {(wx - vx2) * zoom2:.3f} {(wy - vy2) * zoom2:.3f} for {px} {py}")
    d.find_element(By.ID, "fit").click()
    check(view() == [vx, vy, zoom], "全体 fits the sheet as it was first shown")

    # A refusal marks its own field only, and its line in the list takes the cursor there.
    invalid = lambda: d.execute_script("return [...document.querySelectorAll('[aria-invalid], .refused')].map(i => i.name)")
    pitch = e.value("W2.pitch[1]")
    e.type_into("W2.pitch[1]", pitch + "x")
    d.execute_script("document.activeElement.blur()")
    d.find_element(By.CSS_SELECTOR, "#findings li.refusal button").click()
    focused = d.execute_script("return document.activeElement.name")
    check(invalid() == ["W2.pitch[1]"] and focused == "W2.pitch[1]",
          f"a refusal marks its own field only and its line in the list focuses it: {invalid()} {focused!r}")
    e.type_into("W2.pitch[1]", pitch)
    check(e.status_code() == "0" and invalid() == [] and not d.find_elements(By.CSS_SELECTOR, "#findings li.refusal"),
          f"a sheet drawn marks no field: {invalid()}")

    # A finding on a zone's value stands in its zone's row of the grid only; the list words each
    # finding as the server does. F3's counts are the file's line 18 (19th, after the blank line).
    lines = texts["PlenkL.dat"].split("\r\n")
    assert lines[18] == "3,2,4,0,0"
    lines[18] = "3,2,0,0,0"
    answer = ask("\r\n".join(lines))
    e.type_into("F3.count[3]", "0")
    listed = d.execute_script("return [...document.querySelectorAll('#findings li:not(.refusal) button')].map(b => b.textContent)")
    said = [f["text"] for f in answer["findings"] if f["field"] == "F3.count[3]"]
    rows = d.execute_script("return [...document.querySelectorAll('tr.notes')].filter(r => r.textContent.includes("
                            "arguments[0])).map(r => r.previousElementSibling.dataset.zone)", said[0] if said else "?")
    check("F3.count[3]" in [f["field"] for f in answer["findings"]] and listed == [f["message"] for f in answer["findings"]]
          and rows == ["3"], f"a finding on zone 3 shows in zone 3's row only, listed as the server words it: {rows} {listed}")
    e.type_into("F3.count[3]", "4")

    # A character Shift_JIS lacks is refused as the value of its field, as the server words it; the
    # last sheet stays, greyed.
    picture = (e.elements(), pane.get_attribute("data-viewbox"))
    e.field("wall_height").send_keys("é")
    e.wait.until(lambda _: d.execute_script("return document.body.dataset.busy") == "false")
    message = " ".join(e.refusals())
    check("é" in message and "PlenkL.dat" in message and "wall_height" in invalid() and "stale" in pane.get_attribute("class")
          and (e.elements(), pane.get_attribute("data-viewbox")) == picture and e.status_code() == "6",
          f"a character without Shift_JIS is refused as the server words it, beside its field, the last sheet kept "
          f"greyed: {message!r}")
    e.field("wall_height").send_keys(Keys.BACKSPACE)
    e.wait.until(lambda _: "stale" not in pane.get_attribute("class"))

    # A late answer never covers a newer one: the first preview is held until the next is asked
    # for (and, where the page asks before the first answer, drawn), then let through; the texts
    # painted tell one sheet from the other.
    words = lambda: sorted(t for t, _, _ in d.execute_script("return window.__drawn.texts"))
    e.type_into("wall_height", "2000")
    older = words()
    e.type_into("wall_height", "2600")
    newer = words()
    before = e.seq()
    d.execute_script(HOLD_NEXT_PREVIEW)
    e.field("wall_height").send_keys(Keys.CONTROL, "a")
    e.field("wall_height").send_keys("2000")
    e.field("wall_height").send_keys(Keys.CONTROL, "a")
    e.field("wall_height").send_keys("2600")
    if d.execute_script("return window.__previews") > 1:
        e.wait.until(lambda _: e.seq() > before)
    d.execute_script("window.__release()")
    e.settle(before)
    e.wait.until(lambda _: d.execute_script("return window.__held?.bodyUsed && document.body.dataset.busy === 'false'"))
    d.execute_async_script("requestAnimationFrame(() => setTimeout(arguments[0], 0))")
    last = words()
    check(last == newer != older and e.value("wall_height") == "2600",
          f"a late answer to an older preview never replaces the sheet of a newer one: {last == newer} {last == older} "
          f"{e.value('wall_height')!r} {e.status()}")
    d.execute_script("window.fetch = window.__realFetch")
    before = e.seq()
    d.find_element(By.ID, "revert").click()
    e.settle(before)
    errors = d.execute_script("return window.__drawn.errors")
    check(errors == 0 and not e.unsaved(), f"no script error on the way: {errors}")
    d.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": spies})


def opens_files_from_the_disk(e, url, tmp, example, check):
    """Files picked with 開く fill the form, each by its name: the wall, the layers and the title."""
    d = e.d
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1)
    disk = tmp / "disk"
    disk.mkdir()
    wall = (example / "PlenkL.dat").read_text().splitlines()
    wall[1] = "2150" + wall[1][wall[1].index(","):]
    layers = (example / "GasouL.dat").read_text().replace("2  1  0.35 D-STR-STR1", "5  1  0.35 D-STR-STR1")
    (disk / "PlenkL.dat").write_text("\r\n".join(wall + [""]))
    (disk / "GasouL.dat").write_text(layers)
    (disk / "HyodaiL.dat").write_bytes("開いた工事\r\n".encode("cp932"))
    before = e.seq()
    picker = d.find_element(By.ID, "open-files")
    d.execute_script("arguments[0].hidden = false", picker)
    picker.send_keys("\n".join(str(disk / n) for n in ("PlenkL.dat", "GasouL.dat", "HyodaiL.dat")))
    e.settle(before)
    shown_layers = d.find_element(By.NAME, "layers").get_attribute("value")
    check(e.value("wall_height") == "2150" and "5  1  0.35 D-STR-STR1" in shown_layers and
          e.value("project") == "開いた工事" and e.status_code() == "0" and e.unsaved(),
          f"files opened from the disk fill the wall, the layers and the title, unsaved: {e.value('wall_height')!r} "
          f"{e.value('project')!r} {shown_layers[:60]!r}")


def never_saves_over_what_it_could_not_open(e, exe, tmp, check):
    """A folder whose PlenkL.dat the editor cannot open (over 1 MiB): the page says why, shows no
    wall in its place and saves nothing there, by button or by Ctrl+S."""
    folder = tmp / "too large"
    folder.mkdir()
    wall = b"500,300,1000\n" + b" " * (1 << 20)
    (folder / "PlenkL.dat").write_bytes(wall)
    server = subprocess.Popen([exe, "serve", "--port", "0", "--dir", str(folder)], stdout=subprocess.PIPE, text=True)
    try:
        url = re.search(r"(http\S+)", server.stdout.readline()).group(1)
        d = e.d
        d.get(url)
        failure = d.find_element(By.ID, "load-failure")
        e.wait.until(lambda _: failure.is_displayed())
        values = d.execute_script("return [...document.querySelectorAll('#wall-form input')].map(i => i.value).join('')")
        check("PlenkL.dat" in failure.text and values == "" and d.find_element(By.ID, "save").get_attribute("disabled"),
              f"a file the editor cannot open is named with the reason, no wall shown, saving off: {failure.text!r}")
        shown = d.find_element(By.ID, "folder-bar").text
        check("GasouL.dat なし" in shown and "HyodaiL.dat なし" in shown and "PlenkL.dat あり" not in shown and
              "PlenkL.dat なし" not in shown, f"the folder bar tells each file's own state: {shown!r}")
        e.keys(Keys.CONTROL, "s")
        time.sleep(0.5)
        check((folder / "PlenkL.dat").read_bytes() == wall and not (folder / "GasouL.dat").exists() and
              not (folder / "HyodaiL.dat").exists(),
              "Ctrl+S writes nothing to that folder")
    finally:
        server.terminate()
        server.wait(timeout=20)


@contextlib.contextmanager
def serving(exe, folder, *args):
    """lwall serve on a folder of its own; yields its address."""
    server = subprocess.Popen([exe, "serve", "--port", "0", "--dir", str(folder), *args], stdout=subprocess.PIPE, text=True)
    try:
        yield re.search(r"(http\S+)", server.stdout.readline()).group(1)
    finally:
        server.terminate()
        server.wait(timeout=20)


JAPANESE = re.compile(r"[\u3040-\u30ff\u4e00-\u9fff]")


def each_value_stays_in_its_field(e, url, check):
    """A thousands comma is taken as the number it means and shown so; a value that would be several
    values is refused in its own field and moves no other; two refusals are both listed."""
    d = e.d
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1 and d.execute_script("return document.body.dataset.busy") == "false")
    line = ["wall_height", "footing_thickness", "height_left", "height_right"]
    values = {n: e.value(n) for n in line}
    e.type_into("wall_height", "2,450")
    check(e.value("wall_height") == "2450" and e.status_code() == "0" and
          all(e.value(n) == values[n] for n in line[1:]) and not d.find_elements(By.CSS_SELECTOR, ".refused"),
          f"a thousands comma in たて壁高 is the number it means, shown so, and moves nothing: {e.value('wall_height')!r} "
          f"{e.status()}")
    e.type_into("wall_height", "2,45")
    invalid = d.execute_script("return [...document.querySelectorAll('.refused')].map(i => i.name)")
    listed = e.refusals()
    check(e.status_code() == "6" and invalid == ["wall_height"] and len(listed) == 1 and "wall_height" in listed[0] and
          "2,45" in listed[0] and e.notes("wall_height").startswith("たて壁高: 値が1つではない"),
          f"\"2,45\" is refused in たて壁高 itself, nowhere else: {invalid} {listed} {e.notes('wall_height')!r}")
    e.type_into("cover1", "")
    listed = e.refusals()
    check(len(listed) == 2 and "cover1" in listed[1] and "値がない (空欄)" in listed[1] and not d.find_elements(
          By.CSS_SELECTOR, "[data-download]"),
          f"every refusal of the form is listed, an empty field says it is empty, nothing offered to download: {listed}")
    e.type_into("cover1", "100")
    e.type_into("wall_height", values["wall_height"])
    check(e.status_code() == "0" and not e.refusals() and d.find_elements(By.CSS_SELECTOR, "[data-download]"),
          "the refusals go with the values, the downloads come back")


# Sends the next download with a wall the reader refuses, as if the form had changed under it: the
# server's real refusal comes back through the page's own download.
SPOIL_NEXT_DOWNLOAD = """
const real = window.fetch;
window.fetch = (url, options) => {
  if (!String(url).startsWith('/api/file/')) return real(url, options);
  window.fetch = real;
  const body = JSON.parse(options.body);
  body.wall = 'x' + body.wall;
  return real(url, {...options, body: JSON.stringify(body)});
};
"""


def a_download_that_fails_says_so(e, url, check):
    """A download the server refuses is said to be a failed download, not a failed save, and the
    notice goes with the next edit."""
    d = e.d
    d.get(url)
    e.wait.until(lambda _: e.seq() >= 1 and d.execute_script("return document.body.dataset.busy") == "false")
    d.execute_script(SPOIL_NEXT_DOWNLOAD)
    d.find_element(By.CSS_SELECTOR, '[data-download="Lwall.dxf"]').click()
    n = d.find_element(By.ID, "notice")
    e.wait.until(lambda _: n.get_attribute("class") == "failed")
    check(n.text.startswith("Lwall.dxf をダウンロードできませんでした: ") and "保存" not in n.text and "footing_left_width" in n.text,
          f"a failed download says it is a download, and why: {n.text!r}")
    e.type_into("cover1", "100")
    check(not n.is_displayed(), "the notice goes with its cause")


def a_folder_without_layers_is_offered_the_standard_ones(e, exe, tmp, example, check):
    """A folder without GasouL.dat: the page says in Japanese why it stops (status 4), opens the
    layers and offers the standard layer file, which saving then writes there."""
    folder = tmp / "no layers"
    folder.mkdir()
    shutil.copy(example / "PlenkL.dat", folder)
    with serving(exe, folder) as url:
        d = e.d
        d.get(url)
        e.wait.until(lambda _: e.seq() >= 1 and d.execute_script("return document.body.dataset.busy") == "false")
        code, message = e.status()
        layers = d.find_element(By.CSS_SELECTOR, "details[data-group=layers]")
        note = layers.find_element(By.CSS_SELECTOR, ".note").text
        check(code == "終了コード 4" and "GasouL.dat" in message and JAPANESE.search(message) and "can't" not in message and
              layers.get_attribute("open") is not None and "GasouL.dat" in note and JAPANESE.search(note) and
              not d.find_elements(By.CSS_SELECTOR, "[data-download]"),
              f"without GasouL.dat the page says why in Japanese and opens the layers: {code} {message!r} {note!r}")
        offer = layers.find_elements(By.CSS_SELECTOR, "[data-offer=standard-layers]")
        check(len(offer) == 1, "the layers offer the standard layer file")
        if not offer:
            return
        before = e.seq()
        offer[0].click()
        e.settle(before)
        check(e.status_code() == "0" and d.find_elements(By.CSS_SELECTOR, "[data-download]") and e.unsaved(),
              f"the standard layer file written there draws the sheet: {e.status()}")
        e.save()
        standard = (example / "GasouL.dat").read_text().replace("\r\n", "\n").replace("\n", "\r\n")
        check((folder / "GasouL.dat").exists() and (folder / "GasouL.dat").read_bytes() == standard.encode(),
              "saving writes the standard layer file into the folder, its lines in CR LF")


def a_conflict_keeps_your_edits(e, exe, tmp, example, check):
    """Two hands on one folder: the page's save is refused because the disk changed; the page shows
    what differs, value by value, and each way on keeps everything: download yours, take the disk's
    (yours one undo away), save yours over the disk. A language switch after the refusal leaves no
    Japanese in what the page says."""
    folder = tmp / "conflict"
    folder.mkdir()
    for name in ("PlenkL.dat", "GasouL.dat"):
        shutil.copy(example / name, folder)
    mine_dir = tmp / "mine"
    mine_dir.mkdir()
    d = e.d
    d.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(mine_dir)})
    with serving(exe, folder) as url:
        d.get(url)
        e.wait.until(lambda _: e.seq() >= 1 and d.execute_script("return document.body.dataset.busy") == "false")
        e.type_into("wall_height", "2100")
        theirs = (example / "PlenkL.dat").read_bytes().replace(b"350,", b"360,", 1)
        (folder / "PlenkL.dat").write_bytes(theirs)
        e.save()
        panel = d.find_element(By.ID, "conflict")
        rows = {r.get_attribute("data-field"): [c.text for c in r.find_elements(By.CSS_SELECTOR, "td")]
                for r in panel.find_elements(By.CSS_SELECTOR, "tbody tr")}
        check(panel.is_displayed() and rows == {"wall_height": ["2100", "2300"], "wall_thickness": ["350", "360"]} and
              (folder / "PlenkL.dat").read_bytes() == theirs,
              f"a refused save shows, value by value, yours against the disk's, and writes nothing: {rows}")

        # The language switched after the refusal: the page's words and the panel's in English.
        before = e.seq()
        d.find_element(By.ID, "lang").click()
        e.settle(before)
        said = " ".join(d.find_element(By.ID, i).text for i in ("conflict-text", "conflict-actions", "status-bar", "notice", "toolbar"))
        said = said.replace(d.find_element(By.ID, "lang").text, "")  # the way back to Japanese says 日本語
        said += " " + " ".join(c.text for c in panel.find_elements(By.CSS_SELECTOR, "thead th"))
        check(not JAPANESE.search(said), f"after a switch to English no text stays Japanese: {JAPANESE.findall(said)[:8]}")
        e.type_into("cover1", "x")
        e.save()
        refused = d.find_element(By.ID, "notice").text
        before = e.seq()
        d.find_element(By.ID, "lang").click()
        e.settle(before)
        check(refused.startswith("Not saved: PlenkL.dat line 4, cover1") and
              d.find_element(By.ID, "notice").text.startswith("保存できませんでした: 底版下面かぶり (cover1, PlenkL.dat 4行目)"),
              f"a save the server refused is said again in the other language: {refused!r} "
              f"{d.find_element(By.ID, 'notice').text!r}")
        e.type_into("cover1", "100")

        # Yours downloaded: the three files as the page holds them.
        d.find_element(By.ID, "conflict-download").click()
        mine = wait_for_file(mine_dir / "PlenkL.dat")
        wait_for_file(mine_dir / "GasouL.dat")
        check(b"2100," in mine and mine.startswith(b"600,350,") and (folder / "PlenkL.dat").read_bytes() == theirs,
              f"download yours gives your files and leaves the disk's: {mine[:40]!r}")

        # The disk's taken: yours one undo away.
        before = e.seq()
        d.find_element(By.ID, "conflict-take").click()
        e.settle(before)
        check(e.value("wall_height") == "2300" and e.value("wall_thickness") == "360" and not e.unsaved() and
              not panel.is_displayed(), "take the disk's loads the disk's values")
        e.keys(Keys.CONTROL, "z")
        check(e.value("wall_height") == "2100" and e.value("wall_thickness") == "350" and e.unsaved(),
              "undo gives your values back")

        # Yours saved over the disk, once the difference was shown.
        again = theirs.replace(b"100,100,100", b"110,100,100", 1)
        (folder / "PlenkL.dat").write_bytes(again)
        e.save()
        check(panel.is_displayed(), "a second change on the disk is shown again")
        d.find_element(By.ID, "conflict-keep").click()
        e.wait.until(lambda _: d.find_element(By.ID, "notice").get_attribute("class") == "ok")
        saved = (folder / "PlenkL.dat").read_bytes()
        check(saved == mine and not panel.is_displayed() and not e.unsaved(),
              f"save yours writes your files over the disk's: {saved[:40]!r}")


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
