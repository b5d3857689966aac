// The live sheet. The preview brings the sheet as a display list (the server's record of every
// line, circle and text, in the picture's numbers and colours), which is made into one path per
// colour and width of each frame and painted on a canvas: no picture text to read, no document of
// tens of thousands of elements to build, and the canvas stays sharp at any zoom. The frames stand
// in rows that fill the pane (arrangeFrames), so that the whole set shows as large as the pane
// allows. The wheel zooms about the pointer, dragging pans, "全体" fits the whole sheet. The view is
// kept in the sheet's own coordinates, so a new sheet of a changed wall appears where the user had
// zoomed; until the user zooms or pans, each new sheet is fitted whole.

const nextPaint = () => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));

// Calls f(text, x, y, angle) for each string of a text group, whose `at` holds x, y and the angle
// of each string in turn.
export function eachText(group, f) {
  const at = group.at;
  group.strings.forEach((text, i) => f(text, at[3 * i], at[3 * i + 1], at[3 * i + 2]));
}

// The display list as the canvas paints it: each frame's entities apart (a line by its midpoint, a
// circle by its centre, a text by its place, as the plot pages them), one path per stroke, the
// texts as they came. `frames` are the preview's (drawing units, y upward); entities in no frame
// (or a sheet of no frame) form a group of their own that never moves.
export function preparePicture(display, frames = []) {
  const [x, y, w, h] = display.frame;
  if (!(w > 0 && h > 0)) return null;
  // The frames in the picture's units, y downward.
  const rects = frames.map((f) => ({x: f.x, y: -(f.y + f.height), w: f.width, h: f.height}));
  const groups = [...rects, null].map((rect) => ({rect, strokes: [], texts: []}));
  const groupAt = (px, py) => {
    const k = rects.findIndex((r) => px >= r.x && px <= r.x + r.w && py >= r.y && py <= r.y + r.h);
    return groups[k < 0 ? rects.length : k];
  };
  for (const s of display.strokes) {
    const paths = new Map();
    const pathOf = (g) => {
      if (!paths.has(g)) {
        const path = new Path2D();
        paths.set(g, path);
        g.strokes.push({colour: s.colour, width: s.width, path});
      }
      return paths.get(g);
    };
    const l = s.lines;
    for (let i = 0; i + 3 < l.length; i += 4) {
      const path = pathOf(groupAt((l[i] + l[i + 2]) / 2, (l[i + 1] + l[i + 3]) / 2));
      path.moveTo(l[i], l[i + 1]);
      path.lineTo(l[i + 2], l[i + 3]);
    }
    const c = s.circles;
    for (let i = 0; i + 2 < c.length; i += 3) {
      const path = pathOf(groupAt(c[i], c[i + 1]));
      path.moveTo(c[i] + c[i + 2], c[i + 1]);
      path.arc(c[i], c[i + 1], c[i + 2], 0, 2 * Math.PI);
    }
  }
  for (const t of display.texts) {
    const runs = new Map();
    eachText(t, (text, tx, ty, angle) => {
      const g = groupAt(tx, ty);
      if (!runs.has(g)) {
        runs.set(g, {colour: t.colour, size: t.size, items: []});
        g.texts.push(runs.get(g));
      }
      runs.get(g).items.push([text, tx, ty, angle]);
    });
  }
  const [lines, circles, texts] = display.counts;
  return {frame: {x, y, w, h}, ground: display.ground, groups: groups.filter((g) => g.rect || g.strokes.length || g.texts.length),
    counts: {line: lines, circle: circles, text: texts}};
}

// Where each frame stands on the screen so that the sheet fills the pane: the frames in rows of the
// number that shows them largest (one row, as the drawing lays them, where the pane is wide enough),
// in their order, each row on a common bottom line, `gap` apart. Returns the offset of each group
// (drawing units) and the extent of the whole.
export function arrangeFrames(picture, paneW, paneH, gap = 2000) {
  const framed = picture.groups.filter((g) => g.rect);
  if (!framed.length || !(paneW > 0 && paneH > 0)) {
    return {offsets: picture.groups.map(() => [0, 0]), extent: picture.frame};
  }
  const margin = 1000;
  let best = null;
  for (let columns = 1; columns <= framed.length; columns++) {
    const rows = [];
    for (let i = 0; i < framed.length; i += columns) rows.push(framed.slice(i, i + columns));
    const width = Math.max(...rows.map((r) => r.reduce((sum, g) => sum + g.rect.w, 0) + gap * (r.length - 1)));
    const height = rows.reduce((sum, r) => sum + Math.max(...r.map((g) => g.rect.h)), 0) + gap * (rows.length - 1);
    const zoom = Math.min(paneW / (width + 2 * margin), paneH / (height + 2 * margin));
    if (!best || zoom > best.zoom * (1 + 1e-9)) best = {zoom, rows, width, height};
  }
  // The first frame stays where the drawing puts it; the others follow in rows below it.
  const first = framed[0].rect;
  const top0 = first.y + first.h - Math.max(...best.rows[0].map((g) => g.rect.h));
  const at = new Map();
  let top = top0;
  for (const row of best.rows) {
    const bottom = top + Math.max(...row.map((g) => g.rect.h));
    let left = first.x;
    for (const g of row) {
      at.set(g, [left - g.rect.x, bottom - g.rect.h - g.rect.y]);
      left += g.rect.w + gap;
    }
    top = bottom + gap;
  }
  const offsets = picture.groups.map((g) => at.get(g) ?? [0, 0]);
  const extent = {x: first.x - margin, y: top0 - margin, w: best.width + 2 * margin, h: best.height + 2 * margin};
  return {offsets, extent};
}

const FONT = '"IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "Yu Gothic", "Hiragino Sans", "MS Gothic", sans-serif';

export class SheetView {
  constructor(pane) {
    this.pane = pane;
    this.canvas = document.createElement('canvas');
    pane.prepend(this.canvas);
    this.picture = null;
    this.zoom = 1;  // screen pixels per drawing unit
    this.vx = 0;    // the picture point at the pane's top left corner
    this.vy = 0;
    this.fitted = true;
    this.queued = false;
    pane.addEventListener('wheel', (e) => this.wheel(e), {passive: false});
    pane.addEventListener('pointerdown', (e) => this.drag(e));
    new ResizeObserver(() => this.resize()).observe(pane);
  }

  // Shows the sheet of a display list and its frames; resolves once it is on the screen. A sheet
  // of the same frames keeps their places, and the view where the user had zoomed.
  async show(display, frames = []) {
    const picture = display ? preparePicture(display, frames) : null;
    if (!picture) return;
    const same = this.picture && JSON.stringify(this.picture.groups.map((g) => g.rect)) ===
      JSON.stringify(picture.groups.map((g) => g.rect));
    this.picture = picture;
    this.pane.dataset.elements = `${picture.counts.line} ${picture.counts.circle} ${picture.counts.text}`;
    if (this.fitted || !same) this.arrange();
    if (this.fitted) this.fit(); else this.paint();
    await nextPaint();
  }

  // Places the frames for the pane as it is now.
  arrange() {
    this.arrangement = arrangeFrames(this.picture, this.pane.clientWidth, this.pane.clientHeight);
    const e = this.arrangement.extent;
    this.pane.dataset.viewbox = `${e.x} ${e.y} ${e.w} ${e.h}`;
    // Where each frame stands, for the tests: its place in the picture and its offset on the screen.
    this.pane.dataset.frames = JSON.stringify(this.picture.groups.map((g, k) => ({rect: g.rect, offset: this.arrangement.offsets[k]})));
  }

  // A pane of another size: the frames placed anew while the sheet is fitted whole; while zoomed,
  // they keep their places and the view its point.
  resize() {
    const dpr = window.devicePixelRatio || 1;
    this.canvas.width = Math.max(1, Math.round(this.pane.clientWidth * dpr));
    this.canvas.height = Math.max(1, Math.round(this.pane.clientHeight * dpr));
    if (this.fitted) this.fit(); else this.paint();
  }

  fit() {
    this.fitted = true;
    if (!this.picture) return;
    this.arrange();
    const {clientWidth: w, clientHeight: h} = this.pane;
    const f = this.arrangement.extent;
    this.zoom = Math.min(w / f.w, h / f.h) || 1;
    this.vx = f.x - (w / this.zoom - f.w) / 2;
    this.vy = f.y - (h / this.zoom - f.h) / 2;
    this.paint();
  }

  // Paints at the next frame, once however many changes come before it.
  later() {
    if (this.queued) return;
    this.queued = true;
    requestAnimationFrame(() => {
      this.queued = false;
      this.paint();
    });
  }

  paint() {
    const ctx = this.canvas.getContext('2d');
    const p = this.picture;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = p ? p.ground : '#1e1e1e';
    ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
    if (!p) return;
    const k = this.zoom * (window.devicePixelRatio || 1);
    ctx.setTransform(k, 0, 0, k, -this.vx * k, -this.vy * k);
    this.pane.dataset.view = `${this.vx} ${this.vy} ${this.zoom}`;  // the view as painted, for the tests to read
    ctx.lineCap = 'round';
    // Texts smaller than a pixel would paint as smudges; they are left out until zoomed in, and
    // so are texts wholly outside the pane.
    const right = this.vx + this.canvas.width / k;
    const bottom = this.vy + this.canvas.height / k;
    p.groups.forEach((g, n) => {
      const [dx, dy] = this.arrangement?.offsets[n] ?? [0, 0];
      ctx.save();
      ctx.translate(dx, dy);
      for (const s of g.strokes) {
        ctx.strokeStyle = s.colour;
        ctx.lineWidth = s.width;
        ctx.stroke(s.path);
      }
      const left = this.vx - dx;
      const top = this.vy - dy;
      for (const run of g.texts) {
        const size = run.size;
        if (size * k < 1) continue;
        ctx.font = `${size}px ${FONT}`;
        ctx.fillStyle = run.colour;
        for (const [text, x, y, angle] of run.items) {
          const reach = size * (text.length + 1);
          if (x + reach < left || x - reach > right - dx || y + reach < top || y - reach > bottom - dy) continue;
          if (angle) {
            ctx.save();
            ctx.translate(x, y);
            ctx.rotate((angle * Math.PI) / 180);
            ctx.fillText(text, 0, 0);
            ctx.restore();
          } else {
            ctx.fillText(text, x, y);
          }
        }
      }
      ctx.restore();
    });
  }

  wheel(e) {
    if (!this.picture) return;
    e.preventDefault();
    const r = this.pane.getBoundingClientRect();
    const px = e.clientX - r.left;
    const py = e.clientY - r.top;
    const x = this.vx + px / this.zoom;
    const y = this.vy + py / this.zoom;
    this.zoom *= Math.exp(-e.deltaY * (e.deltaMode === 1 ? 0.05 : 0.0015));
    this.vx = x - px / this.zoom;
    this.vy = y - py / this.zoom;
    this.fitted = false;
    this.later();
  }

  // Like the wheel, a drag waits for a sheet: before the first there is no view to move, and the
  // first sheet is fitted whole.
  drag(e) {
    if (e.button !== 0 || !this.picture || e.target.closest('button')) return;
    const start = {x: e.clientX, y: e.clientY, vx: this.vx, vy: this.vy};
    this.pane.setPointerCapture(e.pointerId);
    this.pane.classList.add('dragging');
    const move = (m) => {
      this.vx = start.vx - (m.clientX - start.x) / this.zoom;
      this.vy = start.vy - (m.clientY - start.y) / this.zoom;
      this.fitted = false;
      this.later();
    };
    const end = () => {
      this.pane.removeEventListener('pointermove', move);
      this.pane.classList.remove('dragging');
    };
    this.pane.addEventListener('pointermove', move);
    this.pane.addEventListener('pointerup', end, {once: true});
    this.pane.addEventListener('pointercancel', end, {once: true});
  }
}
