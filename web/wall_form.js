// The form of PlenkL.dat, made from the field catalogue the server hands out: one input per field,
// named as the catalogue names it, grouped as the file groups them. Each mark gets a compact grid of
// its zones (rows) with pitch, count and opt (columns). The form holds the text of every value as
// typed, so that a value the reader refuses reaches it unchanged and is refused by it.

const el = (tag, attrs = {}, ...children) => {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (k === 'class') e.className = v;
    else if (k in e && typeof v !== 'string') e[k] = v;
    else e.setAttribute(k, v);
  }
  e.append(...children);
  return e;
};

const tooltip = (f) =>
  `${f.label_ja}  ${f.name}\n${f.label_en}${f.unit ? ` (${f.unit})` : ''}: ${f.meaning}` +
  `\nPlenkL.dat line ${f.line}, value ${f.position}${f.kind === 'whole' ? ', a whole number' : ''}`;

export class WallForm {
  // form: the <form>; catalogue: {lines, groups, fields}; onEdit(event): called on every edit.
  constructor(form, catalogue, onEdit) {
    this.form = form;
    this.catalogue = catalogue;
    this.inputs = new Map();  // field name -> <input>
    this.notes = new Map();   // field name -> the element beside it that holds its notes
    this.byLine = [];         // line -> its fields, in order
    this.eol = '\n';
    this.tail = '';           // what follows line 43 in an opened file, kept as it was
    for (const f of catalogue.fields) (this.byLine[f.line] ??= []).push(f);
    this.build();
    form.addEventListener('input', (e) => onEdit(e));
    form.addEventListener('submit', (e) => e.preventDefault());
  }

  input(f) {
    const input = el('input', {
      name: f.name, type: 'text', inputMode: f.kind === 'whole' ? 'numeric' : 'decimal',
      title: tooltip(f), 'aria-label': `${f.label_ja} ${f.name}`, class: f.used ? '' : 'unused',
    });
    this.inputs.set(f.name, input);
    return input;
  }

  // A labelled row: Japanese label, the field's name, the input, its unit and its notes.
  row(f) {
    const input = this.input(f);
    const note = el('span', {class: 'note'});
    this.notes.set(f.name, note);
    return el('div', {class: 'field', 'data-field': f.name},
      el('label', {title: tooltip(f)}, el('span', {class: 'ja'}, f.label_ja), ' ', el('code', {}, f.name)),
      input, el('span', {class: 'unit'}, f.unit), note);
  }

  build() {
    const groups = this.catalogue.groups.map((g) => ({...g, fields: []}));
    for (const f of this.catalogue.fields) groups[f.group].fields.push(f);
    for (const g of groups) {
      const set = el('fieldset', {class: 'group', 'data-group': g.key, title: g.label_en},
        el('legend', {}, el('span', {class: 'ja'}, g.label_ja), ' ', el('span', {class: 'en'}, g.label_en)));
      const zoned = g.fields.filter((f) => ['pitch', 'count', 'opt'].includes(f.part));
      for (const f of g.fields) if (!zoned.includes(f)) set.append(this.row(f));
      if (zoned.length) set.append(this.grid(zoned));
      this.form.append(set);
    }
    const layers = el('textarea', {name: 'layers', rows: 10, cols: 28, 'aria-label': 'GasouL.dat',
      title: 'GasouL.dat: a count, then rows of colour, line type, pen width and layer name'});
    this.layers = layers;
    this.layersNote = el('div', {class: 'note'});
    this.form.append(el('details', {class: 'group', 'data-group': 'layers'},
      el('summary', {}, el('span', {class: 'ja'}, '画層'), ' ', el('code', {}, 'GasouL.dat')), layers, this.layersNote));
  }

  // The zones of a mark as rows, its pitches, counts and opts as columns. An opt that holds the
  // diameter of zone i+1 stands in the row of that zone; the others in the row of their index.
  grid(fields) {
    const zoneDia = fields.some((f) => f.opt_role === 'zone_diameter');
    const rowOf = (f) => (f.part === 'opt' && zoneDia ? f.index + 1 : f.index);
    const rows = Math.max(...fields.map(rowOf));
    const sample = (part) => fields.find((f) => f.part === part);
    const head = (part, ja) => {
      const f = sample(part);
      return el('th', {title: f ? f.label_en.replace(/ \d+$/, '') : ''}, ja, ' ', el('code', {}, `${part}[i]`),
        f && f.unit ? el('span', {class: 'unit'}, f.unit) : '');
    };
    const table = el('table', {class: 'zones'},
      el('thead', {}, el('tr', {}, el('th', {}, '区間'), head('pitch', 'ピッチ'), head('count', '間隔数'),
        el('th', {}, zoneDia ? '径 ' : '', el('code', {}, 'opt')), el('th', {}))));
    const body = el('tbody');
    for (let i = 1; i <= rows; i++) {
      const cell = (part) => {
        const f = fields.find((x) => x.part === part && rowOf(x) === i);
        if (!f) return el('td', {class: 'empty'}, part === 'opt' && zoneDia && i === 1 ? '= dia' : '');
        const input = this.input(f);
        if (part !== 'opt') return el('td', {}, input);
        return el('td', {class: 'opt'}, el('span', {class: 'ja', title: tooltip(f)}, f.label_ja), ' ',
          el('code', {}, `opt[${f.index}]`), input);
      };
      const note = el('td', {class: 'note'});
      for (const f of fields) if (rowOf(f) === i) this.notes.set(f.name, note);
      body.append(el('tr', {}, el('th', {}, String(i)), cell('pitch'), cell('count'), cell('opt'), note));
    }
    table.append(body);
    return table;
  }

  // Loads the text of a PlenkL.dat: its lines (blank ones left out, as the reader skips them) into
  // the fields in order; a line with more values than fields keeps the rest in its last field, so
  // that the reader still sees them.
  setText(text) {
    this.eol = text.includes('\r\n') ? '\r\n' : '\n';
    const lines = text.split(/\r?\n/);
    let line = 1;
    let i = 0;
    for (const input of this.inputs.values()) input.value = '';
    for (; i < lines.length && line <= this.catalogue.lines; i++) {
      if (lines[i].trim() === '') continue;
      const fields = this.byLine[line++];
      const parts = lines[i].split(',');
      fields.forEach((f, k) => {
        const last = k === fields.length - 1;
        this.inputs.get(f.name).value = (last ? parts.slice(k).join(',') : parts[k]) ?? '';
      });
    }
    this.tail = lines.slice(i).join(this.eol);
  }

  // The text of PlenkL.dat as the form holds it: one line per line of the file, values separated by
  // commas; empty values at the end of a line are left out (the reader leaves those fields 0).
  text() {
    let out = '';
    for (let line = 1; line <= this.catalogue.lines; line++) {
      const values = this.byLine[line].map((f) => this.inputs.get(f.name).value);
      while (values.length && values[values.length - 1] === '') values.pop();
      out += values.join(',') + this.eol;
    }
    return out + this.tail;
  }

  setLayers(text) { this.layers.value = text; }
  layerText() { return this.layers.value; }

  // The outcome of a run beside the fields: the refused value marked with the refusal, every
  // finding beside its field.
  showOutcome(result) {
    for (const input of this.inputs.values()) {
      input.classList.remove('refused', 'has-finding');
      input.removeAttribute('aria-invalid');
    }
    for (const note of this.notes.values()) note.replaceChildren();
    this.layers.classList.remove('refused');
    this.layersNote.replaceChildren();
    if (result.status !== 0 && result.field) {
      if (result.file === 'GasouL.dat') {
        this.layers.classList.add('refused');
        this.layers.closest('details').open = true;
        this.layersNote.append(el('div', {class: 'refusal'}, result.message));
      } else {
        // Every value the stop is about is marked (the three widths of the width limit); the first
        // carries the stop with its fields and by how much.
        const names = result.fields?.length ? result.fields : [result.field];
        names.filter((name) => this.inputs.has(name)).forEach((name, k) => {
          const input = this.inputs.get(name);
          input.classList.add('refused');
          input.setAttribute('aria-invalid', 'true');
          if (k === 0) this.notes.get(name).append(el('div', {class: 'refusal'}, result.detail || result.message));
        });
      }
    }
    for (const f of result.findings) {
      if (!this.inputs.has(f.field)) continue;
      this.inputs.get(f.field).classList.add('has-finding');
      this.notes.get(f.field).append(el('div', {class: 'finding', title: f.message}, `${f.field}: ${f.text}`));
    }
  }

  focus(name) {
    const target = name === 'layers' ? this.layers : this.inputs.get(name);
    if (!target) return;
    target.closest('details')?.setAttribute('open', '');
    target.scrollIntoView({block: 'center'});
    target.focus();
  }
}
