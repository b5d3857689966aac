// The form of PlenkL.dat, made from the field catalogue the server hands out: one input per field,
// named as the catalogue names it, grouped as the file groups them, each with the line of the file
// it stands on. Each mark gets a compact grid of its zones (rows) with pitch, count and opt
// (columns). A field holds the text of its value as typed, so that a value the reader refuses
// reaches it unchanged and is refused by it; only full-width digits, signs and points, as a
// Japanese keyboard types them, are written as their ASCII forms. The file itself is kept and
// edited in place (wall_text.js).

import {t, pick} from './messages.js';
import {WallText, LayerText, TitleText} from './wall_text.js';

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

// Full-width forms (U+FF01 ... U+FF5E) as ASCII, the ideographic space as a blank, and the minus
// signs and points an input method types in place of '-' and '.'. One character for one, so that
// the caret stays where it was. A full-width comma stays as typed: in a field of one value it
// would move the rest of the line by one field, so the reader refuses it instead.
const NARROW = {'\u3000': ' ', '\u2212': '-', '\u2010': '-', '\u2011': '-', '\u30fc': '-', '\uff70': '-',
  '\u3002': '.', '\uff61': '.'};
export function narrow(text) {
  return text.replace(/[\uff01-\uff0b\uff0d-\uff5e\u3000\u2212\u2010\u2011\u30fc\uff70\u3002\uff61]/g,
    (c) => NARROW[c] ?? String.fromCharCode(c.charCodeAt(0) - 0xfee0));
}

const tooltip = (f) => t(f.kind === 'text' ? 'field.title.text' : 'field.title', {
  ja: f.label_ja, en: f.label_en, name: f.name, unit: f.unit ? ` (${f.unit})` : '', meaning: pick(f.meaning_ja, f.meaning_en)[0],
  line: f.line, position: f.position, whole: f.kind === 'whole' ? t('field.whole') : '',
}) + (f.used ? '' : `\n${t('field.unused')}`);

const lineMark = (line, file = 'PlenkL.dat') => el('span', {class: 'line', title: t('line.title', {line, file})}, String(line));
const TITLE_FILE = 'HyodaiL.dat';

export class WallForm {
  // form: the <form>; catalogue: {lines, groups, fields, title_file}; onEdit(name, time): called on
  // every edit of a field ('layers' for the layer file) with the time of its event.
  constructor(form, catalogue, onEdit) {
    this.form = form;
    this.catalogue = catalogue;
    this.titleFields = catalogue.title_file.fields;
    this.byLine = [];  // line -> its fields, in order
    for (const f of catalogue.fields) (this.byLine[f.line] ??= []).push(f);
    this.wall = new WallText('', this.byLine, catalogue.lines);
    this.layerFile = new LayerText('');
    this.titleFile = new TitleText(null, catalogue.title_file.lines);
    this.build();
    const edited = (e) => {
      const target = e.target;
      // A title value is text: taken as typed.
      if (target.tagName === 'INPUT' && target.dataset.kind !== 'text') {
        const value = narrow(target.value);
        if (value !== target.value) {
          const {selectionStart: start, selectionEnd: end} = target;
          target.value = value;
          target.setSelectionRange(start, end);
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
  }

  input(f) {
    const input = el('input', {
      name: f.name, type: 'text', inputMode: f.kind === 'whole' ? 'numeric' : f.kind === 'text' ? 'text' : 'decimal',
      title: tooltip(f), 'aria-label': `${pick(f.label_ja, f.label_en)[0]} ${f.name}`, class: f.used ? '' : 'unused',
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
    return el('div', {class: f.kind === 'text' ? 'field text' : 'field', 'data-field': f.name}, lineMark(f.line, f.kind === 'text' ? TITLE_FILE : 'PlenkL.dat'),
      el('label', {title: tooltip(f)}, el('span', {class: 'ja'}, pick(f.label_ja, f.label_en)[0]), ' ', el('code', {}, f.name)),
      input, el('span', {class: 'unit'}, f.unit), note);
  }

  // Builds the form anew (also when the page's language changes), keeping every value.
  build() {
    const values = this.inputs ? this.values() : null;
    const layers = this.layers ? this.layers.value : '';
    this.inputs = new Map();  // field name -> <input>
    this.notes = new Map();   // field name -> the element beside it that holds its notes
    this.form.replaceChildren();
    const groups = this.catalogue.groups.map((g) => ({...g, fields: []}));
    for (const f of this.catalogue.fields) groups[f.group].fields.push(f);
    // The title block's values, from HyodaiL.dat, in a group of their own after the wall's.
    groups.push({...this.catalogue.title_file.group, fields: this.titleFields});
    for (const g of groups) {
      const [first, second] = pick(g.label_ja, g.label_en);
      const set = el('fieldset', {class: 'group', 'data-group': g.key, title: second},
        el('legend', {}, el('span', {class: 'ja'}, first), ' ', el('span', {class: 'en'}, second)));
      if (g.fields === this.titleFields) set.lastChild.append(' ', el('code', {}, TITLE_FILE));
      const zoned = g.fields.filter((f) => ['pitch', 'count', 'opt'].includes(f.part));
      for (const f of g.fields) if (!zoned.includes(f)) set.append(this.row(f));
      if (zoned.length) set.append(this.grid(zoned));
      this.form.append(set);
    }
    this.layers = el('textarea', {name: 'layers', rows: 10, cols: 28, 'aria-label': 'GasouL.dat', title: t('layers.title')});
    this.layers.value = layers;
    this.layersNote = el('div', {class: 'note'});
    this.form.append(el('details', {class: 'group', 'data-group': 'layers'},
      el('summary', {}, el('span', {class: 'ja'}, t('layers')), ' ', el('code', {}, 'GasouL.dat')), this.layers, this.layersNote));
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
      return el('th', {title: f ? f.label_en.replace(/ \d+$/, '') : ''}, f ? lineMark(f.line) : '', t(key), ' ',
        el('code', {}, `${part}[i]`), f && f.unit ? el('span', {class: 'unit'}, f.unit) : '');
    };
    const table = el('table', {class: 'zones'},
      el('thead', {}, el('tr', {}, el('th', {}, t('grid.zone')), head('pitch', 'grid.pitch'), head('count', 'grid.count'),
        el('th', {}, sample('opt') ? lineMark(sample('opt').line) : '', zoneDia ? `${t('grid.dia')} ` : '', el('code', {}, 'opt')))));
    const body = el('tbody');
    for (let i = 1; i <= rows; i++) {
      const cell = (part) => {
        const f = fields.find((x) => x.part === part && rowOf(x) === i);
        if (!f) return el('td', {class: 'empty'}, part === 'opt' && zoneDia && i === 1 ? t('grid.same.dia') : '');
        const input = this.input(f);
        if (part !== 'opt') return el('td', {}, input);
        return el('td', {class: 'opt'}, el('span', {class: 'ja', title: tooltip(f)}, pick(f.label_ja, f.label_en)[0]), ' ',
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

  // Loads the text of a PlenkL.dat into the fields; the text is kept, to be edited in place.
  setText(text) {
    this.wall = new WallText(text, this.byLine, this.catalogue.lines);
    for (const [name, value] of this.wall.values()) this.inputs.get(name).value = value;
  }

  // PlenkL.dat as the form holds it: the loaded text with the changed values in place.
  text() {
    return this.wall.text((name) => this.inputs.get(name).value);
  }

  setLayers(text) {
    this.layerFile = new LayerText(text);
    this.layers.value = this.layerFile.shown;
  }

  layerText() { return this.layerFile.text(this.layers.value); }

  // HyodaiL.dat (null: the folder has none), kept to be edited in place.
  setTitle(text) {
    this.titleFile = new TitleText(text, this.catalogue.title_file.lines);
    for (const f of this.titleFields) this.inputs.get(f.name).value = this.titleFile.value(f.line);
  }

  // HyodaiL.dat as the form holds it; null while there is none and no value was typed.
  titleText() {
    const byLine = new Map(this.titleFields.map((f) => [f.line, f.name]));
    return this.titleFile.text((n) => this.inputs.get(byLine.get(n)).value);
  }

  // A form that may not be edited: while the folder's files could not be loaded.
  setDisabled(disabled) {
    for (const input of this.inputs.values()) input.disabled = disabled;
    this.layers.disabled = disabled;
  }

  // The outcome of a run beside the fields: the refused value (or the values a stop names) marked
  // with the refusal, every finding beside its field.
  // A value the server could not take (a character Shift_JIS lacks), beside the first field of
  // its file and line.
  showRefusedCharacter(answer) {
    const fields = answer.file === TITLE_FILE ? this.titleFields : this.catalogue.fields;
    const f = fields.find((x) => x.line === answer.line);
    if (f) this.showOutcome({status: 6, file: answer.file, field: f.name, message: answer.error, findings: []});
  }

  showOutcome(result) {
    for (const input of this.inputs.values()) {
      input.classList.remove('refused', 'has-finding');
      input.removeAttribute('aria-invalid');
    }
    for (const note of this.notes.values()) note.replaceChildren();
    this.layers.classList.remove('refused');
    this.layersNote.replaceChildren();
    if (result.status !== 0 && result.file === 'GasouL.dat') {
      this.layers.classList.add('refused');
      this.layers.closest('details').open = true;
      this.layersNote.append(el('div', {class: 'refusal'}, result.message));
    } else if (result.status !== 0) {
      // Every value the stop is about is marked (the three widths of the width limit); the first
      // carries the stop with its fields and by how much.
      const named = result.fields?.length ? result.fields : [result.field];
      named.filter((name) => this.inputs.has(name)).forEach((name, k) => {
        const input = this.inputs.get(name);
        input.classList.add('refused');
        input.setAttribute('aria-invalid', 'true');
        if (k === 0) this.notes.get(name).append(el('div', {class: 'refusal'}, result.detail || result.message));
      });
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
    target.select?.();
  }
}
