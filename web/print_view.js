// The print view: each frame of the sheet on an A1 landscape page of its own at the sheet's true
// scale 1:scale (the 800 x 550 mm frame centred on the 841 x 594 mm page), drawn in black on white.
// When the schedule, mass and material tables lie outside the frames (at small scales they do),
// they get a third page: at the sheet's scale where they fit in 800 x 550 mm, else at the next
// scale of ten that fits, printed on the page. The pages are SVG in millimetres under CSS @page,
// so the browser's print or "Save as PDF" gives a plot to scale.

const PAGE_W = 841;   // A1 landscape, mm
const PAGE_H = 594;
const FRAME_W = 800;  // the sheet's frame, paper mm
const FRAME_H = 550;

const SVG_NS = 'http://www.w3.org/2000/svg';
let clips = 0;

// The drawing of a preview's picture without its dark ground, in black.
function printableDrawing(svg) {
  const start = svg.indexOf('<g ');
  const end = svg.lastIndexOf('</g>');
  if (start < 0 || end < start) return '';
  return svg.slice(start, end + 4)
    .replace(/ stroke="#[0-9a-f]{6}"/g, ' stroke="#000"')
    .replace(/ fill="#[0-9a-f]{6}"/g, ' fill="#000"');
}

const inside = (box, frame) =>
  box.x >= frame.x && box.y >= frame.y && box.x + box.width <= frame.x + frame.width &&
  box.y + box.height <= frame.y + frame.height;

// The scale to print the tables at: the sheet's where they fit, else the next multiple of ten.
function tableScale(tables, scale) {
  const needed = Math.max(tables.width / FRAME_W, tables.height / FRAME_H);
  return needed <= scale ? scale : Math.ceil(needed / 10) * 10;
}

// One A1 page showing `box` (drawing units, y upward) centred at 1:scale; with `clip`, only what
// lies within `clip` mm of the box.
function page(box, scale, caption, clip = null) {
  const w = PAGE_W * scale;
  const h = PAGE_H * scale;
  const cx = box.x + box.width / 2;
  const cy = box.y + box.height / 2;
  const svg = document.createElementNS(SVG_NS, 'svg');
  svg.setAttribute('width', `${PAGE_W}mm`);
  svg.setAttribute('height', `${PAGE_H}mm`);
  // The picture's y runs downward: a drawing point (x, y) stands at (x, -y).
  svg.setAttribute('viewBox', `${cx - w / 2} ${-(cy + h / 2)} ${w} ${h}`);
  const use = document.createElementNS(SVG_NS, 'use');
  use.setAttribute('href', '#print-drawing');
  if (clip === null) {
    svg.append(use);
  } else {
    const m = clip * scale;
    const id = `print-clip-${++clips}`;
    const path = document.createElementNS(SVG_NS, 'clipPath');
    path.id = id;
    const rect = document.createElementNS(SVG_NS, 'rect');
    for (const [k, v] of Object.entries({x: box.x - m, y: -(box.y + box.height) - m, width: box.width + 2 * m, height: box.height + 2 * m})) {
      rect.setAttribute(k, String(v));
    }
    path.append(rect);
    const g = document.createElementNS(SVG_NS, 'g');
    g.setAttribute('clip-path', `url(#${id})`);
    g.append(use);
    svg.append(path, g);
  }
  const section = document.createElement('section');
  section.className = 'print-page';
  section.dataset.scale = String(scale);
  const label = document.createElement('p');
  label.className = 'print-caption';
  label.textContent = caption;
  section.append(svg, label);
  return section;
}

// Builds the pages of a preview into `pages` (the drawing once into `defs`); returns a note for the
// user, or an empty string.
export function buildPrintPages(preview, defs, pages) {
  pages.replaceChildren();
  defs.replaceChildren();
  if (!preview || !preview.sheet || !preview.svg) return 'この壁は作図できません (nothing drawn to print)';
  const {scale, width, height, gap} = preview.sheet;
  defs.innerHTML = `<svg xmlns="${SVG_NS}" width="0" height="0" aria-hidden="true"><defs>` +
    `<g id="print-drawing">${printableDrawing(preview.svg)}</g></defs></svg>`;
  const frames = [{x: 0, y: 0, width, height}, {x: width + gap, y: 0, width, height}];
  const tables = preview.tables;
  const extra = tables && !frames.some((f) => inside(tables, f));
  const count = frames.length + (extra ? 1 : 0);
  frames.forEach((f, i) => pages.append(page(f, scale, `${i + 1}/${count}  S=1:${scale}  A1`)));
  if (extra) {
    const s = tableScale(tables, scale);
    // Only the tables: the frame beside them has a page of its own.
    pages.append(page(tables, s, `${count}/${count}  鉄筋加工図・鉄筋質量表・材料表  S=1:${s}  A1`, 10));
  }
  return '';
}
