// The live picture of the sheet. The preview's SVG (the same document as lwall --svg) is read once
// into paths and texts and painted on a canvas: a browser builds a document of the picture's tens
// of thousands of elements far slower than the canvas paints them, and the canvas stays sharp at
// any zoom. The wheel zooms about the pointer, dragging pans, "全体" fits the whole sheet. The view
// is kept in the sheet's own coordinates, so a new picture of a changed wall appears where the
// user had zoomed; until the user zooms or pans, each new picture is fitted whole.

const nextPaint = () => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));

const ATTRIBUTE = /([\w-]+)="([^"]*)"/g;
const ELEMENT = /<(line|circle|text|rect)\s([^>]*?)\/?>/y;
// The forms lwall's picture writes its elements in, read at once; anything else through ELEMENT.
const NUMBER = '(-?[\\d.]+)';
const LINE = new RegExp(`<line x1="${NUMBER}" y1="${NUMBER}" x2="${NUMBER}" y2="${NUMBER}" stroke="(#\\w+)" stroke-width="${NUMBER}"/>`, 'y');
const CIRCLE = new RegExp(`<circle cx="${NUMBER}" cy="${NUMBER}" r="${NUMBER}" stroke="(#\\w+)" stroke-width="${NUMBER}"/>`, 'y');
const TEXT = new RegExp(`<text x="${NUMBER}" y="${NUMBER}" font-size="${NUMBER}" fill="(#\\w+)"(?: transform="rotate\\(${NUMBER} [-\\d. ]+\\)")?>`, 'y');
const ENTITIES = {'&amp;': '&', '&lt;': '<', '&gt;': '>', '&quot;': '"', '&apos;': "'"};

function attributes(s) {
  const a = {};
  for (const m of s.matchAll(ATTRIBUTE)) a[m[1]] = m[2];
  return a;
}

// The picture as the canvas paints it: lines and circles gathered into one path per colour and
// width, texts with their place, size, colour and rotation; the frame is the picture's viewBox.
export function readPicture(svg) {
  const head = /<svg\s([^>]*)>/.exec(svg);
  if (!head) return null;
  const [x, y, w, h] = (attributes(head[1]).viewBox ?? '').split(/\s+/).map(Number);
  if (!(w > 0 && h > 0)) return null;
  const picture = {frame: {x, y, w, h}, ground: '#1e1e1e', strokes: new Map(), texts: [], counts: {line: 0, circle: 0, text: 0}};
  const path = (colour, width) => {
    const key = `${colour}|${width}`;
    let p = picture.strokes.get(key);
    if (!p) picture.strokes.set(key, (p = {colour, width: +width, path: new Path2D()}));
    return p.path;
  };
  const line = (x1, y1, x2, y2, colour, width) => {
    const p = path(colour, width);
    p.moveTo(x1, y1);
    p.lineTo(x2, y2);
    picture.counts.line++;
  };
  const circle = (cx, cy, r, colour, width) => {
    const p = path(colour, width);
    p.moveTo(cx + r, cy);
    p.arc(cx, cy, r, 0, 2 * Math.PI);
    picture.counts.circle++;
  };
  const text = (x, y, size, fill, angle, at) => {
    const end = svg.indexOf('</text>', at);
    const content = svg.slice(at, end).replace(/&\w+;/g, (e) => ENTITIES[e] ?? e);
    picture.texts.push({x, y, size, fill, angle, text: content});
    picture.counts.text++;
    return end + 7;
  };
  let i = head.index + head[0].length;
  let m;
  const read = (re) => {
    re.lastIndex = i;
    return (m = re.exec(svg));
  };
  while ((i = svg.indexOf('<', i)) >= 0) {
    if (read(LINE)) {
      line(+m[1], +m[2], +m[3], +m[4], m[5], m[6]);
      i = LINE.lastIndex;
    } else if (read(CIRCLE)) {
      circle(+m[1], +m[2], +m[3], m[4], m[5]);
      i = CIRCLE.lastIndex;
    } else if (read(TEXT)) {
      i = text(+m[1], +m[2], +m[3], m[4], m[5] ? +m[5] : 0, TEXT.lastIndex);
    } else if (read(ELEMENT)) {
      const a = attributes(m[2]);
      i = ELEMENT.lastIndex;
      if (m[1] === 'line') line(+a.x1, +a.y1, +a.x2, +a.y2, a.stroke, a['stroke-width']);
      else if (m[1] === 'circle') circle(+a.cx, +a.cy, +a.r, a.stroke, a['stroke-width']);
      else if (m[1] === 'rect' && a.fill) picture.ground = a.fill;
      else if (m[1] === 'text') {
        const rotate = /rotate\(([-\d.]+)/.exec(a.transform ?? '');
        i = text(+a.x, +a.y, +a['font-size'], a.fill, rotate ? +rotate[1] : 0, i);
      }
    } else {
      i++;
    }
  }
  return picture;
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

  // Shows a new picture; resolves once it is on the screen.
  async show(svg) {
    const picture = readPicture(svg);
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
    ctx.lineCap = 'round';
    for (const s of p.strokes.values()) {
      ctx.strokeStyle = s.colour;
      ctx.lineWidth = s.width;
      ctx.stroke(s.path);
    }
    // Texts smaller than a pixel would paint as smudges; they are left out until zoomed in.
    let font = '';
    for (const t of p.texts) {
      if (t.size * k < 1) continue;
      const f = `${t.size}px ${FONT}`;
      if (f !== font) ctx.font = font = f;
      ctx.fillStyle = t.fill;
      if (t.angle) {
        ctx.save();
        ctx.translate(t.x, t.y);
        ctx.rotate((t.angle * Math.PI) / 180);
        ctx.fillText(t.text, 0, 0);
        ctx.restore();
      } else {
        ctx.fillText(t.text, t.x, t.y);
      }
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

  drag(e) {
    if (e.button !== 0 || e.target.closest('button')) return;
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
