// The live sheet. The preview brings the sheet as a display list (the server's record of every
// line, circle and text, in the picture's numbers and colours), which is made into one path per
// colour and width and painted on a canvas: no picture text to read, no document of tens of
// thousands of elements to build, and the canvas stays sharp at any zoom. The wheel zooms about
// the pointer, dragging pans, "全体" fits the whole sheet. The view is kept in the sheet's own
// coordinates, so a new sheet of a changed wall appears where the user had zoomed; until the user
// zooms or pans, each new sheet is fitted whole.

const nextPaint = () => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));

// Calls f(text, x, y, angle) for each string of a text group, whose `at` holds x, y and the angle
// of each string in turn.
export function eachText(group, f) {
  const at = group.at;
  group.strings.forEach((text, i) => f(text, at[3 * i], at[3 * i + 1], at[3 * i + 2]));
}

// The display list as the canvas paints it: one path per stroke, the texts as they came.
export function preparePicture(display) {
  const [x, y, w, h] = display.frame;
  if (!(w > 0 && h > 0)) return null;
  const strokes = display.strokes.map((s) => {
    const path = new Path2D();
    const l = s.lines;
    for (let i = 0; i + 3 < l.length; i += 4) {
      path.moveTo(l[i], l[i + 1]);
      path.lineTo(l[i + 2], l[i + 3]);
    }
    const c = s.circles;
    for (let i = 0; i + 2 < c.length; i += 3) {
      path.moveTo(c[i] + c[i + 2], c[i + 1]);
      path.arc(c[i], c[i + 1], c[i + 2], 0, 2 * Math.PI);
    }
    return {colour: s.colour, width: s.width, path};
  });
  const [lines, circles, texts] = display.counts;
  return {frame: {x, y, w, h}, ground: display.ground, strokes, texts: display.texts, counts: {line: lines, circle: circles, text: texts}};
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

  // Shows the sheet of a display list; resolves once it is on the screen.
  async show(display) {
    const picture = display ? preparePicture(display) : null;
    if (!picture) return;
    this.picture = picture;
    const f = picture.frame;
    this.pane.dataset.viewbox = `${f.x} ${f.y} ${f.w} ${f.h}`;
    this.pane.dataset.elements = `${picture.counts.line} ${picture.counts.circle} ${picture.counts.text}`;
    if (this.fitted) this.fit(); else this.paint();
    await nextPaint();
  }

  resize() {
    const dpr = window.devicePixelRatio || 1;
    this.canvas.width = Math.max(1, Math.round(this.pane.clientWidth * dpr));
    this.canvas.height = Math.max(1, Math.round(this.pane.clientHeight * dpr));
    if (this.fitted) this.fit(); else this.paint();
  }

  fit() {
    this.fitted = true;
    if (!this.picture) return;
    const {clientWidth: w, clientHeight: h} = this.pane;
    const f = this.picture.frame;
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
    for (const s of p.strokes.values()) {
      ctx.strokeStyle = s.colour;
      ctx.lineWidth = s.width;
      ctx.stroke(s.path);
    }
    // Texts smaller than a pixel would paint as smudges; they are left out until zoomed in, and
    // so are texts wholly outside the pane.
    const left = this.vx;
    const top = this.vy;
    const right = left + this.canvas.width / k;
    const bottom = top + this.canvas.height / k;
    for (const group of p.texts) {
      const size = group.size;
      if (size * k < 1) continue;
      ctx.font = `${size}px ${FONT}`;
      ctx.fillStyle = group.colour;
      eachText(group, (text, x, y, angle) => {
        const reach = size * (text.length + 1);
        if (x + reach < left || x - reach > right || y + reach < top || y - reach > bottom) return;
        if (angle) {
          ctx.save();
          ctx.translate(x, y);
          ctx.rotate((angle * Math.PI) / 180);
          ctx.fillText(text, 0, 0);
          ctx.restore();
        } else {
          ctx.fillText(text, x, y);
        }
      });
    }
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
