// The print view: each frame of the sheet set on an A1 landscape page of its own at the frame's own
// true scale 1:scale (the 800 x 550 mm frame centred on the 841 x 594 mm page), drawn in black on
// white. The frames come as a list, each with its corner, size and scale; every entity lies inside
// one of them, so a page per frame is the whole set. The pages are SVG in millimetres under CSS
// @page, so the browser's print or "Save as PDF" gives a plot to scale.

const PAGE_W = 841;   // A1 landscape, mm
const PAGE_H = 594;
const FRAME_W = 800;  // the sheet's frame, paper mm
const FRAME_H = 550;

import {t} from './messages.js';
import {eachText} from './sheet_view.js';

const SVG_NS = 'http://www.w3.org/2000/svg';
const FONT = "IPAGothic, 'IPAexGothic', 'Noto Sans CJK JP', 'Yu Gothic', 'Hiragino Sans', 'MS Gothic', sans-serif";

const escape = (text) => text.replace(/[&<>"]/g, (c) => ({'&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;'})[c]);

// The sheet of a display list as SVG markup, in black: one path per pen width, every text.
export function printableDrawing(display) {
  const out = [`<g fill="none" stroke="#000" stroke-linecap="round" font-family="${FONT}">`];
  for (const s of display.strokes) {
    const d = [];
    const l = s.lines;
    for (let i = 0; i + 3 < l.length; i += 4) d.push(`M${l[i]} ${l[i + 1]}L${l[i + 2]} ${l[i + 3]}`);
    const c = s.circles;
    for (let i = 0; i + 2 < c.length; i += 3) {
      const [x, y, r] = [c[i], c[i + 1], c[i + 2]];
      d.push(`M${x + r} ${y}A${r} ${r} 0 1 0 ${x - r} ${y}A${r} ${r} 0 1 0 ${x + r} ${y}`);
    }
    if (d.length) out.push(`<path stroke-width="${s.width}" d="${d.join('')}"/>`);
  }
  for (const g of display.texts) {
    eachText(g, (text, x, y, angle) => {
      const turn = angle ? ` transform="rotate(${angle} ${x} ${y})"` : '';
      out.push(`<text x="${x}" y="${y}" font-size="${g.size}" fill="#000" stroke="none"${turn}>${escape(text)}</text>`);
    });
  }
  out.push('</g>');
  return out.join('');
}

// One A1 page showing `frame` (drawing units, y upward) centred at 1:scale. At a small scale the
// page's margin reaches across the gap to the next frame: the page shows no more than half the gap
// beside its frame.
function page(frame, gap, caption) {
  const scale = frame.scale;
  const w = PAGE_W * scale;
  const h = PAGE_H * scale;
  const cx = frame.x + frame.width / 2;
  const cy = frame.y + frame.height / 2;
  const svg = document.createElementNS(SVG_NS, 'svg');
  svg.setAttribute('width', `${PAGE_W}mm`);
  svg.setAttribute('height', `${PAGE_H}mm`);
  // The picture's y runs downward: a drawing point (x, y) stands at (x, -y).
  svg.setAttribute('viewBox', `${cx - w / 2} ${-(cy + h / 2)} ${w} ${h}`);
  const id = `print-clip-${frame.number}`;
  const clip = document.createElementNS(SVG_NS, 'clipPath');
  clip.id = id;
  const rect = document.createElementNS(SVG_NS, 'rect');
  for (const [k, v] of Object.entries({x: frame.x - gap / 2, y: -(cy + h / 2), width: frame.width + gap, height: h})) {
    rect.setAttribute(k, String(v));
  }
  clip.append(rect);
  const g = document.createElementNS(SVG_NS, 'g');
  g.setAttribute('clip-path', `url(#${id})`);
  const use = document.createElementNS(SVG_NS, 'use');
  use.setAttribute('href', '#print-drawing');
  g.append(use);
  svg.append(clip, g);
  const section = document.createElement('section');
  section.className = 'print-page';
  section.dataset.frame = String(frame.number);
  section.dataset.scale = String(scale);
  const label = document.createElement('p');
  label.className = 'print-caption';
  label.textContent = caption;
  section.append(svg, label);
  return section;
}

// Builds the pages of a preview into `pages` (the drawing once into `defs`): one for each of its
// frames (number, x, y, width, height, scale). Returns a note for the user, or an empty string.
export function buildPrintPages(preview, defs, pages) {
  pages.replaceChildren();
  defs.replaceChildren();
  const frames = preview?.frames ?? [];
  if (!preview?.display || frames.length === 0) return t('print.nothing');
  defs.innerHTML = `<svg xmlns="${SVG_NS}" width="0" height="0" aria-hidden="true"><defs>` +
    `<g id="print-drawing">${printableDrawing(preview.display)}</g></defs></svg>`;
  const gap = preview.sheet?.gap ?? 2000;
  frames.forEach((f, i) => pages.append(page(f, gap, t('print.page', {page: i + 1, pages: frames.length, scale: f.scale}))));
  return '';
}
