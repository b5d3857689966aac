// The form of the input files, made from the field catalogue the server hands out: one input per
// field, named as the catalogue names it, grouped as the files group them, each with the line of its
// file it stands on. Each bar mark gets a compact grid of its zones (rows) with pitch, count and opt
// (columns). A field holds the text of its value as typed, so that a value the reader refuses
// reaches it unchanged and is refused by it; only full-width digits, signs, points and commas, as a
// Japanese keyboard types them, are written as their ASCII forms, and a number with thousands
// commas as the number it means. A value that would be several values of the file is held back and
// refused in its own field. Each file is kept and edited in place (wall_text.js); the layer file
// GasouL.dat is a text of its own.

import {t, pick} from './messages.js';
import {WallText, LayerText, TitleText, narrow, shownValue} from './wall_text.js';

export {narrow};

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

const LAYER_FILE = 'GasouL.dat';

// A field's label in the page's language.
export const labelOf = (f) => pick(f.label_ja, f.label_en)[0];

const tooltip = (f) => t(f.kind === 'text' ? 'field.title.text' : 'field.title', {
  ja: f.label_ja, en: f.label_en, name: f.name, unit: f.unit ? ` (${f.unit})` : '', meaning: pick(f.meaning_ja, f.meaning_en)[0],
  line: f.line, position: f.position, whole: f.kind === 'whole' ? t('field.whole') : '', file: f.file,
}) + (f.used ? '' : `\n${t('field.unused')}`);

const lineMark = (line, file) => el('span', {class: 'line', title: t('line.title', {line, file})}, String(line));

// The files of the form as the catalogue lists them; a catalogue without the list names its two.
export function formFiles(catalogue) {
  if (catalogue.files) return catalogue.files;
  const title = catalogue.title_file;
  return [
    {name: 'PlenkL.dat', key: 'wall', lines: catalogue.lines, fields: catalogue.fields,
      groups: catalogue.groups.map((g, index) => ({...g, index}))},
    {name: title.name, key: 'title', lines: title.lines, fields: title.fields,
      groups: [{...title.group, index: title.fields[0]?.group ?? -1}]},
  ];
}

// One file of the form and its text: values on comma lines (PlenkL.dat), or one value a line
// (HyodaiL.dat), which a file whose every value stands first on its line is.
class FormFile {
  constructor(file) {
    Object.assign(this, file);
    this.oneALine = file.fields.every((f) => f.position === 1);
    this.byLine = [];
    for (const f of file.fields) (this.byLine[f.line] ??= []).push(f);
    this.set(null);
  }

  // The file's text as loaded (null: the folder has none).
  set(text) {
    this.loaded = text;
    this.text = this.oneALine ? new TitleText(text, this.lines) : new WallText(text ?? '', this.byLine, this.lines);
    this.own = this.oneALine ? null : this.text.values();
  }

  // The value of a field as the file holds it.
  value(f) { return this.oneALine ? this.text.value(f.line) : this.own.get(f.name) ?? ''; }

  // The file of the typed values, and the values held back.
  compose(typedOf) {
    if (!this.oneALine) return this.text.formText(typedOf);
    const byLine = new Map(this.fields.map((f) => [f.line, f.name]));
    return {text: this.text.text((n) => typedOf(byLine.get(n))), held: {}};
  }
}

export class WallForm {
  // form: the <form>; catalogue: the server's; onEdit(name, time): called on every edit of a field
  // ('layers' for the layer file) with the time of its event.
  constructor(form, catalogue, onEdit) {
    this.form = form;
    this.catalogue = catalogue;
    this.files = formFiles(catalogue).map((f) => new FormFile(f));
    this.fields = new Map(this.files.flatMap((file) => file.fields.map((f) => [f.name, f])));
    this.layerFile = new LayerText('');
    this.onLayersMissing = null;  // called when the page offers the standard layer file
    this.build();
    const edited = (e) => {
      const target = e.target;
      // A value of a text file is taken as typed.
      if (target.tagName === 'INPUT' && target.dataset.kind !== 'text') {
        const narrowed = narrow(target.value);
        const shown = shownValue(target.value);
        if (shown !== target.value) {
          // The caret keeps its place among the characters that stay (a thousands comma goes).
          const kept = (s) => (shown === narrowed ? s : narrowed.slice(0, s).replace(/,/g, '').length);
          const {selectionStart: start, selectionEnd: end} = target;
          target.value = shown;
          target.setSelectionRange(kept(start), kept(end));
        }
      }
      onEdit(target.name, e.timeStamp);
    };
    // While an input method composes a word the field is left alone; the word counts once set.
    form.addEventListener('input', (e) => {
      if (!e.isComposing) edited(e);
    });
    form.addEventListener('compositionend', edited);
    form.addEventListener('submit', (e) => e.preventDefault());
    // Pasted lines into a field of numbers are several values, as a comma makes them: the browser
    // would run them together into one number.
    form.addEventListener('paste', (e) => {
      const target = e.target;
      if (target.tagName !== 'INPUT' || target.dataset.kind === 'text') return;
      const pasted = e.clipboardData?.getData('text') ?? '';
      if (!/[\r\n]/.test(pasted.replace(/[\r\n]+$/, ''))) return;
      e.preventDefault();
      target.setRangeText(pasted.replace(/[\r\n]+$/, '').replace(/\r\n?|\n/g, ','), target.selectionStart,
        target.selectionEnd, 'end');
      target.dispatchEvent(new Event('input', {bubbles: true}));
    });
  }

  input(f) {
    const input = el('input', {
      name: f.name, type: 'text', inputMode: f.kind === 'whole' ? 'numeric' : f.kind === 'text' ? 'text' : 'decimal',
      title: tooltip(f), 'aria-label': `${labelOf(f)} ${f.name}`, class: f.used ? '' : 'unused',
      'data-kind': f.kind,
    });
    this.inputs.set(f.name, input);
    return input;
  }

  // A labelled row: the line, the label in the page's language, the field's name, the input, its
  // unit and its notes.
  row(f) {
    const input = this.input(f);
    const note = el('div', {class: 'note'});
    this.notes.set(f.name, note);
    return el('div', {class: f.kind === 'text' ? 'field text' : 'field', 'data-field': f.name}, lineMark(f.line, f.file),
      el('label', {title: tooltip(f)}, el('span', {class: 'ja'}, labelOf(f)), ' ', el('code', {}, f.name)),
      input, el('span', {class: 'unit'}, f.unit), note);
  }

  // Builds the form anew (also when the page's language changes), keeping every value: a fieldset
  // per group of each file, the first file's without its name, the others' with it; then the layers.
  build() {
    const values = this.inputs ? this.values() : null;
    const layers = this.layers ? this.layers.value : '';
    const layersOpen = this.layers?.closest('details')?.open ?? false;
    this.inputs = new Map();  // field name -> <input>
    this.notes = new Map();   // field name -> the element beside it that holds its notes
    this.form.replaceChildren();
    for (const [k, file] of this.files.entries()) {
      for (const g of file.groups) {
        const fields = file.fields.filter((f) => f.group === g.index);
        const [first, second] = pick(g.label_ja, g.label_en);
        const set = el('fieldset', {class: 'group', 'data-group': g.key, 'data-file': file.name, title: second},
          el('legend', {}, el('span', {class: 'ja'}, first), ' ', el('span', {class: 'en'}, second)));
        if (k > 0) set.lastChild.append(' ', el('code', {}, file.name));
        const zoned = fields.filter((f) => ['pitch', 'count', 'opt'].includes(f.part));
        for (const f of fields) if (!zoned.includes(f)) set.append(this.row(f));
        if (zoned.length) set.append(this.grid(zoned));
        this.form.append(set);
      }
    }
    this.layers = el('textarea', {name: 'layers', rows: 10, cols: 28, 'aria-label': LAYER_FILE, title: t('layers.title')});
    this.layers.value = layers;
    this.layersNote = el('div', {class: 'note'});
    const details = el('details', {class: 'group', 'data-group': 'layers', 'data-file': LAYER_FILE},
      el('summary', {}, el('span', {class: 'ja'}, t('layers')), ' ', el('code', {}, LAYER_FILE)), this.layers, this.layersNote);
    details.open = layersOpen;
    this.form.append(details);
    if (values) for (const [name, v] of values) this.inputs.get(name).value = v;
  }

  // The zones of a mark as rows, its pitches, counts and opts as columns, each column headed by the
  // line it stands on. An opt that holds the diameter of zone i+1 stands in the row of that zone;
  // the others in the row of their index. Notes take a row of their own under their zone, as wide
  // as the grid.
  grid(fields) {
    const zoneDia = fields.some((f) => f.opt_role === 'zone_diameter');
    const rowOf = (f) => (f.part === 'opt' && zoneDia ? f.index + 1 : f.index);
    const rows = Math.max(...fields.map(rowOf));
    const sample = (part) => fields.find((f) => f.part === part);
    const head = (part, key) => {
      const f = sample(part);
      return el('th', {title: f ? pick(f.label_ja, f.label_en)[1].replace(/ ?\d+$/, '') : ''}, f ? lineMark(f.line, f.file) : '',
        t(key), ' ', el('code', {}, `${part}[i]`), f && f.unit ? el('span', {class: 'unit'}, f.unit) : '');
    };
    const opt = sample('opt');
    const table = el('table', {class: 'zones'},
      el('thead', {}, el('tr', {}, el('th', {}, t('grid.zone')), head('pitch', 'grid.pitch'), head('count', 'grid.count'),
        el('th', {}, opt ? lineMark(opt.line, opt.file) : '', zoneDia ? `${t('grid.dia')} ` : '', el('code', {}, 'opt')))));
    const body = el('tbody');
    for (let i = 1; i <= rows; i++) {
      const cell = (part) => {
        const f = fields.find((x) => x.part === part && rowOf(x) === i);
        if (!f) return el('td', {class: 'empty'}, part === 'opt' && zoneDia && i === 1 ? t('grid.same.dia') : '');
        const input = this.input(f);
        if (part !== 'opt') return el('td', {}, input);
        return el('td', {class: 'opt'}, el('span', {class: 'ja', title: tooltip(f)}, labelOf(f)), ' ',
          el('code', {}, `opt[${f.index}]`), input);
      };
      const note = el('td', {class: 'note', colSpan: 4});
      for (const f of fields) if (rowOf(f) === i) this.notes.set(f.name, note);
      body.append(el('tr', {'data-zone': String(i)}, el('th', {}, String(i)), cell('pitch'), cell('count'), cell('opt')),
        el('tr', {class: 'notes'}, note));
    }
    table.append(body);
    return table;
  }

  values() {
    return new Map([...this.inputs].map(([name, input]) => [name, input.value]));
  }

  // The field of a name in the catalogue (undefined for the layer file's values).
  field(name) { return this.fields.get(name); }

  // The form's files as a request carries them: {wall, title, ...} by each file's key, the layer
  // file as `layers`, and the values held back as `held` (name -> text typed), each file's text the
  // loaded one with the changed values in place.
  texts() {
    const out = {layers: this.layerFile.text(this.layers.value), held: {}};
    const typed = (name) => this.inputs.get(name).value;
    for (const file of this.files) {
      const {text, held} = file.compose(typed);
      out[file.key] = text;
      Object.assign(out.held, held);
    }
    return out;
  }

  // Loads the texts of a request's shape into the form: each file's text is kept, to be edited in
  // place; a file not named keeps what it holds.
  setTexts(texts) {
    for (const file of this.files) {
      if (!(file.key in texts)) continue;
      file.set(texts[file.key] ?? null);
      for (const f of file.fields) this.inputs.get(f.name).value = file.value(f);
    }
    if ('layers' in texts) {
      this.layerFile = new LayerText(texts.layers ?? null);
      this.layers.value = this.layerFile.shown;
    }
    for (const [name, typed] of Object.entries(texts.held ?? {})) {
      if (this.inputs.has(name)) this.inputs.get(name).value = typed;
    }
  }

  // Writes a layer file into the layers' text as if typed (the standard one, where there is none).
  writeLayers(text) {
    this.layers.value = text.replace(/\r\n?/g, '\n');
    this.layers.dispatchEvent(new Event('input', {bubbles: true}));
  }

  // The values a text of a file holds, field by field (for showing what differs).
  valuesOf(key, text) {
    const file = this.files.find((f) => f.key === key);
    const scratch = new FormFile(file);
    scratch.set(text);
    return new Map(file.fields.map((f) => [f.name, scratch.value(f)]));
  }

  // A form that may not be edited: while the folder's files could not be loaded.
  setDisabled(disabled) {
    for (const input of this.inputs.values()) input.disabled = disabled;
    this.layers.disabled = disabled;
  }

  // The outcome of a run beside the fields: every refused value marked, once, with its label and
  // what is wrong; the values a stop names marked, the first with the stop; every finding beside
  // its field with its label. A stop for want of the layer file opens the layers and offers the
  // standard one.
  showOutcome(result) {
    for (const input of this.inputs.values()) {
      input.classList.remove('refused', 'has-finding');
      input.removeAttribute('aria-invalid');
    }
    for (const note of this.notes.values()) note.replaceChildren();
    this.layers.classList.remove('refused');
    this.layersNote.replaceChildren();
    const mark = (name, text, kind) => {
      const input = this.inputs.get(name);
      if (kind === 'refusal') {
        input.classList.add('refused');
        input.setAttribute('aria-invalid', 'true');
      } else {
        input.classList.add('has-finding');
      }
      if (text) this.notes.get(name).append(el('div', {class: kind}, text));
    };
    const refusals = result.refusals ?? [];
    for (const r of refusals) {
      if (r.file === LAYER_FILE) {
        this.layers.classList.add('refused');
        this.layers.closest('details').open = true;
        this.layersNote.append(el('div', {class: 'refusal'}, r.message));
      } else if (this.inputs.has(r.field)) {
        mark(r.field, `${labelOf(this.field(r.field))}: ${r.text}`, 'refusal');
      }
    }
    if (result.status !== 0 && !refusals.length && result.file === LAYER_FILE) {
      // No layer file: the stop, and the offer to write the standard one here.
      this.layers.classList.add('refused');
      this.layers.closest('details').open = true;
      const offer = el('button', {type: 'button', class: 'offer', 'data-offer': 'standard-layers'}, t('layers.write.standard'));
      offer.addEventListener('click', () => this.onLayersMissing?.());
      this.layersNote.append(el('p', {}, t('layers.missing'), ' ', offer));
    } else if (result.status !== 0 && !refusals.length) {
      // Every value the stop is about is marked (the three widths of the width limit); the first
      // carries the stop with its fields and by how much.
      const named = result.fields?.length ? result.fields : [result.field];
      named.filter((name) => this.inputs.has(name)).forEach((name, k) => mark(name, k === 0 ? result.detail || result.message : '', 'refusal'));
    }
    for (const f of result.findings ?? []) {
      if (!this.inputs.has(f.field)) continue;
      mark(f.field, `${labelOf(this.field(f.field))}: ${f.text}`, 'finding');
    }
  }

  focus(name) {
    const target = name === 'layers' ? this.layers : this.inputs.get(name);
    if (!target) return;
    target.closest('details')?.setAttribute('open', '');
    target.scrollIntoView({block: 'center'});
    target.focus();
    target.select?.();
  }
}
