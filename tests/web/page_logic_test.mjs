// The page's own logic, without a browser: how the form splices edited values into the engineer's
// files (bytes kept wherever nothing changed, each value judged in its own field), undo and redo,
// full-width input made ASCII, the page's two languages, and where the frames of the sheet stand. The browser test sees these only through a few saves; here every case of a
// file's shape is tried. Usage: LWALL_WEB_DIR=web node --test page_logic_test.mjs.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

// The page's scripts are browser modules with a plain .js name; a folder of their own that says so
// lets node load them as they are.
const webDir = path.resolve(process.env.LWALL_WEB_DIR ?? 'web');
const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'lwall-page-'));
for (const f of fs.readdirSync(webDir)) if (f.endsWith('.js')) fs.copyFileSync(path.join(webDir, f), path.join(copy, f));
fs.writeFileSync(path.join(copy, 'package.json'), '{"type": "module"}');
process.on('exit', () => fs.rmSync(copy, {recursive: true, force: true}));
const load = (name) => import(path.join(copy, name));
const {WallText, LayerText, TitleText, shownValue} = await load('wall_text.js');
const {EditHistory} = await load('history.js');
const {narrow} = await load('wall_form.js');
const {t, pick} = await load('messages.js');

// Three lines of the wall file's kind: three values, one, two.
const field = (name) => ({name});
const BY_LINE = {1: ['a', 'b', 'c'].map(field), 2: [field('d')], 3: ['e', 'f'].map(field)};
const wall = (text) => new WallText(text, BY_LINE, 3);
const edited = (text, changes) => {
  const w = wall(text);
  const v = w.values();
  return w.text((name) => (name in changes ? changes[name] : v.get(name)));
};

test('a wall file keeps every byte where no value changed', () => {
  const texts = ['1,2,3\r\n\r\n 4 \r\n5,6\r\n', '1 , 2,3\n4\n5,6', '1,2,\n4\n5,6\n', '1,2,3\n4\n5,6\n\n\nafter the last line\n',
    '1,2\n', '', '1,2,3,extra\n4\n5,6,7\n'];
  for (const text of texts) assert.equal(edited(text, {}), text, JSON.stringify(text));
  const w = wall('1,2,3,extra\n\n4\n5\n');
  assert.deepEqual([...w.values()], [['a', '1'], ['b', '2'], ['c', '3,extra'], ['d', '4'], ['e', '5'], ['f', '']]);
});

test('a changed value takes the old one\'s place, with its blanks and its line end', () => {
  assert.equal(edited('1, 2 ,3\r\n\r\n 4 \r\n5,6\r\n', {b: '20'}), '1, 20 ,3\r\n\r\n 4 \r\n5,6\r\n');
  assert.equal(edited('1,2,3\r\n\r\n 4 \t\r\n5,6\r\n', {d: '40'}), '1,2,3\r\n\r\n 40 \t\r\n5,6\r\n');
  assert.equal(edited('1,2,3\n4\n5,6', {f: '60'}), '1,2,3\n4\n5,60');
  assert.equal(edited('1, ,3\n4\n5,6\n', {b: '20'}), '1, 20,3\n4\n5,6\n');
  assert.equal(edited('1,2,3   \n4\n5,6  \t\n', {d: '40'}), '1,2,3   \n40\n5,6  \t\n');
  // Values emptied at a line's end are left out; a line with none left holds 0.
  assert.equal(edited('1,2,3\n4\n5,6\n', {b: '', c: ''}), '1\n4\n5,6\n');
  assert.equal(edited('1,2,3\n4\n5,6\n', {b: ''}), '1,,3\n4\n5,6\n');
  assert.equal(edited('1,2,3\n4\n5,6\n', {d: ''}), '1,2,3\n0\n5,6\n');
  // Values beyond the line's values are added after them.
  assert.equal(edited('1\n4\n5,6\n', {c: '3'}), '1,,3\n4\n5,6\n');
});

test('values on lines a short file does not reach go after its last line, in its line ends', () => {
  assert.equal(edited('1,2,3\r\n', {e: '5'}), '1,2,3\r\n0\r\n5\r\n');
  assert.equal(edited('1,2,3\n\n\n', {d: '4'}), '1,2,3\n4\n\n\n');
  assert.equal(edited('1,2,3', {d: '4'}), '1,2,3\n4\n');
  assert.equal(edited('', {a: '1'}), '1\n');
  assert.equal(edited('1,2,3\n', {d: '', e: '', f: ''}), '1,2,3\n');
});

test('the layer file comes back as read unless edited, then in its own line ends', () => {
  const crlf = new LayerText('2\r\n1,1,1,A\r\n');
  assert.equal(crlf.text(crlf.shown), '2\r\n1,1,1,A\r\n');
  assert.equal(crlf.shown, '2\n1,1,1,A\n');
  assert.equal(crlf.text('2\n1,1,1,B\n'), '2\r\n1,1,1,B\r\n');
  const lf = new LayerText('2\n1,1,1,A\n');
  assert.equal(lf.text('2\n1,1,1,B\n'), '2\n1,1,1,B\n');
  const none = new LayerText(null);
  assert.equal(none.text(''), null);
});

test('the title file: values without their blanks, changes in place, new lines in its line ends', () => {
  const title = new TitleText(' 工事A \t\r\n\r\n路線\r\n', 7);
  assert.deepEqual([1, 2, 3, 4].map((n) => title.value(n)), ['工事A', '', '路線', '']);
  const same = (n) => title.value(n);
  assert.equal(title.text(same), ' 工事A \t\r\n\r\n路線\r\n');
  assert.equal(title.text((n) => (n === 1 ? '工事B' : same(n))), ' 工事B \t\r\n\r\n路線\r\n');
  assert.equal(title.text((n) => (n === 5 ? '5' : same(n))), ' 工事A \t\r\n\r\n路線\r\n\r\n5\r\n');
  assert.equal(title.text((n) => (n === 4 ? '4' : same(n))), ' 工事A \t\r\n\r\n路線\r\n4\r\n');
  assert.equal(title.text((n) => (n === 7 ? '設計者' : same(n))), ' 工事A \t\r\n\r\n路線\r\n\r\n\r\n\r\n設計者\r\n');
  assert.equal(new TitleText('a\r\nb\r', 7).value(2), 'b');
  const open = new TitleText('a\nb', 7);
  assert.equal(open.text((n) => (n === 3 ? 'c' : open.value(n))), 'a\nb\nc\n');
  const none = new TitleText(null, 7);
  assert.equal(none.text(() => ''), null);
  assert.equal(none.text((n) => (n === 2 ? '路線' : '')), '\r\n路線\r\n');
});

test('undo and redo: keys typed into one field without a pause are one step', () => {
  const h = new EditHistory();
  const texts = (wall) => ({wall, layers: 'L', title: 'T'});
  h.reset(texts('0'));
  assert.ok(!h.canUndo() && !h.canRedo());
  h.record(texts('1'), 'a', 10000);
  assert.ok(h.canUndo());
  h.record(texts('12'), 'a', 10999);  // the same field within a second: the same step
  h.record(texts('12'), 'b', 11500);  // nothing changed: no step
  h.record(texts('123'), 'a', 11999); // a second after the last key: a step of its own
  h.record(texts('1234'), 'b', 12100); // another field: a step of its own
  h.record(texts('x'), null, 12200);   // opening a file: its own step, never extended
  h.record(texts('xy'), null, 12300);
  assert.ok(h.canUndo() && !h.canRedo());
  const walls = [];
  for (let s; (s = h.undo());) walls.push([h.current.wall, s.field]);
  assert.deepEqual(walls, [['x', null], ['1234', null], ['123', 'b'], ['12', 'a'], ['0', 'a']]);
  assert.ok(!h.canUndo() && h.canRedo());
  assert.equal(h.redo().field, 'a');
  assert.equal(h.current.wall, '12');
  h.record(texts('9'), 'c', 5000);  // an edit after undo ends the redo
  assert.ok(!h.canRedo());
  assert.equal(h.undo().field, 'c');
  assert.equal(h.current.wall, '12');
  // Only the last 500 steps are kept.
  h.reset(texts(''));
  for (let i = 1; i <= 501; i++) h.record(texts(String(i)), null, i);
  let steps = 0;
  while (h.undo()) steps++;
  assert.equal(steps, 500);
  assert.equal(h.current.wall, '1');
});

test('full-width digits, signs, points and commas become ASCII', () => {
  assert.equal(narrow('１２３４．５'), '1234.5');
  assert.equal(narrow('－５\u2212６\u30fc７\u2010８\u2011９\uff70０'), '-5-6-7-8-9-0');
  assert.equal(narrow('\u3000１\u3002５'), ' 1.5');
  assert.equal(narrow('１，２、３'), '1,2,3');
  assert.equal(narrow('擁壁 abc 1,2'), '擁壁 abc 1,2');
});

// Whatever is typed into a field of numbers is judged in that field alone, on every field of a line:
// taken as it plainly means (a thousands comma) or as typed for the reader to judge in place, or held
// back (several values), the file keeping its own value there; never shifting its neighbours.
test('a value typed into any field of a line stays in that field', () => {
  const inputs = [
    ['2,450', '2450'], ['２，４５０', '2450'], ['-1,234.5', '-1234.5'], ['1,000,000', '1000000'], ['２、４５０', '2450'],
    ['2,45', null], ['1,2,3', null], ['2300,400,2300,2300', null], ['12\n34', null], ['12,3456', null], [',', null],
    ['12,', null], [' 12 ', ' 12 '], ['\t12', '\t12'], ['+12', '+12'], ['12 34', '12 34'], ['', ''], ['１２', '12'],
    ['1.2.3', '1.2.3'], ['x', 'x'],
  ];
  const fields = ['a', 'b', 'c', 'd'].map((name) => ({name}));
  const byLine = {1: [field('p')], 2: fields, 3: [field('q'), field('r')]};
  const file = '7\r\n2000, 400,2000 ,2000\r\n5,6\r\n';
  const own = new Map([['p', '7'], ['a', '2000'], ['b', '400'], ['c', '2000'], ['d', '2000'], ['q', '5'], ['r', '6']]);
  for (const [typed, means] of inputs) {
    for (const f of fields) {
      const shown = shownValue(typed);
      const w = new WallText(file, byLine, 3);
      const {text, held} = w.formText((name) => (name === f.name ? shown : own.get(name)));
      const lines = text.split('\r\n');
      assert.equal(lines.length, 4, `${typed} in ${f.name}`);
      assert.equal(lines[0], '7');
      assert.equal(lines[2], '5,6');
      const values = lines[1].split(',').map((v) => v.trim());
      for (const g of fields) {
        const k = fields.indexOf(g);
        if (g !== f) assert.equal(values[k], k < values.length ? own.get(g.name) : undefined, `${typed} in ${f.name}: ${g.name}`);
      }
      const k = fields.indexOf(f);
      if (means === null) {
        assert.deepEqual(held, {[f.name]: shown}, `${typed} in ${f.name}`);
        assert.equal(values[k], own.get(f.name));
      } else {
        assert.deepEqual(held, {});
        assert.equal(values[k] ?? '', means.trim(), `${typed} in ${f.name}`);
        if (means !== '' || k < fields.length - 1) assert.equal(values.length, fields.length, `${typed} in ${f.name}`);
      }
    }
  }
});

test('the page speaks Japanese first and has every text in both languages', () => {
  assert.equal(t('line.title', {line: 26, file: 'PlenkL.dat'}), 'PlenkL.dat の 26行目');
  assert.equal(t('line.title', {line: 0}), '{file} の 0行目');
  assert.equal(t('no.such.text'), 'no.such.text');
  assert.deepEqual(pick('日本語', 'English'), ['日本語', 'English']);
  const source = fs.readFileSync(path.join(webDir, 'messages.js'), 'utf8');
  const table = (lang) => {
    const body = source.slice(source.indexOf(`  ${lang}: {`), source.indexOf('\n  },', source.indexOf(`  ${lang}: {`)));
    return new Map([...body.matchAll(/^ {4}'([\w.]+)': ['`](.*)['`],?$/gm)].map((m) => [m[1], m[2]]));
  };
  const ja = table('ja');
  const en = table('en');
  assert.ok(ja.size > 50);
  assert.deepEqual([...ja.keys()].sort(), [...en.keys()].sort());
  const holes = (s) => [...s.matchAll(/\{(\w+)\}/g)].map((m) => m[1]).sort();
  for (const [key, text] of ja) assert.deepEqual(holes(en.get(key)), holes(text), key);
});

test('a sheet of no width or no height is not painted (no fit can divide by it)', async () => {
  globalThis.Path2D ??= class { moveTo() {} lineTo() {} arc() {} };
  const {preparePicture} = await load('sheet_view.js');
  const display = (frame) => ({frame, ground: '#fff', strokes: [], texts: [], counts: [0, 0, 0]});
  for (const frame of [[0, 0, 0, 40], [0, 0, 30, 0], [0, 0, -30, 40], [0, 0, NaN, 40]]) {
    assert.equal(preparePicture(display(frame)), null, String(frame));
  }
  assert.deepEqual(preparePicture(display([5, 6, 30, 40])).frame, {x: 5, y: 6, w: 30, h: 40});
});

test('the print drawing holds each line, circle and text of the display list, and nothing more', async () => {
  const {printableDrawing} = await load('print_view.js');
  const display = {
    strokes: [{width: 0.35, lines: [0, 0, 10, 0, 10, 0, 10, 5], circles: [4, 4, 1.5]}, {width: 0.18, lines: [], circles: []}],
    texts: [{size: 2.5, strings: ['壁 <A>', 'B&C'], at: [1, 2, 0, 3, 4, 90]}],
  };
  const svg = printableDrawing(display);
  assert.deepEqual([...svg.matchAll(/<path [^>]*>/g)].map((m) => m[0]),
    ['<path stroke-width="0.35" d="M0 0L10 0M10 0L10 5M5.5 4A1.5 1.5 0 1 0 2.5 4A1.5 1.5 0 1 0 5.5 4"/>']);
  assert.deepEqual([...svg.matchAll(/<text ([^>]*)>([^<]*)</g)].map((m) => [m[1].replace(/ font-size.*none"/, ''), m[2]]),
    [['x="1" y="2"', '壁 &lt;A&gt;'], ['x="3" y="4" transform="rotate(90 3 4)"', 'B&amp;C']]);
});

test('a drag or a wheel turn before the first sheet leaves that sheet to be fitted whole', async () => {
  globalThis.Path2D ??= class { moveTo() {} lineTo() {} arc() {} };
  globalThis.ResizeObserver ??= class { observe() {} };
  globalThis.requestAnimationFrame ??= (f) => setTimeout(f, 0);
  globalThis.window ??= {devicePixelRatio: 1};
  const canvas2d = new Proxy({}, {get: (o, k) => (k in o ? o[k] : () => {})});
  globalThis.document ??= {createElement: () => ({getContext: () => canvas2d})};
  const on = {};
  const pane = {clientWidth: 400, clientHeight: 300, dataset: {}, classList: {add() {}, remove() {}}, prepend() {},
    setPointerCapture() {}, addEventListener: (type, f) => { on[type] = f; }, removeEventListener() {},
    getBoundingClientRect: () => ({left: 0, top: 0})};
  const {SheetView} = await load('sheet_view.js');
  const view = new SheetView(pane);
  on.pointerdown({button: 0, target: {closest: () => null}, clientX: 10, clientY: 10, pointerId: 1});
  on.pointermove?.({clientX: 60, clientY: 40});
  on.wheel({preventDefault() {}, clientX: 5, clientY: 5, deltaY: 100, deltaMode: 0});
  await view.show({frame: [0, 0, 800, 600], ground: '#fff', strokes: [], texts: [], counts: [0, 0, 0]});
  assert.equal(pane.dataset.view, '0 0 0.5');  // 400 / 800 and 300 / 600 pixels a unit, the sheet whole
});

test('the frames stand in the rows that show them largest, in order, none over another', async () => {
  globalThis.Path2D ??= class { moveTo() {} lineTo() {} arc() {} };
  const {preparePicture, arrangeFrames} = await load('sheet_view.js');
  // Three frames of 1:50 and one of 1:100, side by side 2000 apart as the drawing lays them.
  const frames = [[0, 40000, 27500], [42000, 40000, 27500], [84000, 40000, 27500], [126000, 80000, 55000]]
    .map(([x, width, height], i) => ({number: i + 1, x, y: 0, width, height}));
  const display = {frame: [-1000, -56000, 208000, 57000], ground: '#fff', counts: [0, 0, 0], texts: [],
    strokes: [{colour: '#fff', width: 1, lines: [100, -100, 200, -100, 50000, -100, 50100, -100], circles: []}]};
  for (const n of [1, 2, 3, 4]) {
    const picture = preparePicture(display, frames.slice(0, n));
    for (const [w, h] of [[1600, 300], [1130, 768], [700, 900], [400, 1200]]) {
      const {offsets, extent} = arrangeFrames(picture, w, h);
      const placed = picture.groups.filter((g) => g.rect).map((g) => {
        const [dx, dy] = offsets[picture.groups.indexOf(g)];
        return {x: g.rect.x + dx, y: g.rect.y + dy, w: g.rect.w, h: g.rect.h};
      });
      const where = `${n} frames in ${w} x ${h}`;
      assert.deepEqual(offsets[0], [0, 0], where);
      for (const [i, a] of placed.entries()) {
        assert.ok(a.x >= extent.x && a.y >= extent.y && a.x + a.w <= extent.x + extent.w && a.y + a.h <= extent.y + extent.h, where);
        for (const b of placed.slice(i + 1)) {
          assert.ok(a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y, where);
          assert.ok(b.y > a.y + a.h - 1 || b.x > a.x, `${where}: the order of the frames`);
        }
      }
      // No other number of frames a row shows them larger than the one chosen.
      const zoom = Math.min(w / extent.w, h / extent.h);
      const oneRow = Math.min(w / (placed.reduce((s, r) => s + r.w, 0) + 2000 * (n - 1) + 2000), h / (Math.max(...placed.map((r) => r.h)) + 2000));
      assert.ok(zoom >= oneRow * (1 - 1e-9), where);
    }
  }
  // A pane wide enough keeps the drawing's own row; a tall one stacks the frames.
  const three = preparePicture(display, frames.slice(0, 3));
  assert.deepEqual(arrangeFrames(three, 4000, 300).offsets.slice(0, 3), [[0, 0], [0, 0], [0, 0]]);
  assert.deepEqual(arrangeFrames(three, 400, 1200).offsets.slice(0, 3), [[0, 0], [-42000, 29500], [-84000, 59000]]);
  // The lines of each frame go with it.
  assert.equal(three.groups[0].strokes.length, 1);
  assert.equal(three.groups[1].strokes.length, 1);
});
