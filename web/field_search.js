// Finding a field: by its label (Japanese or English), its name, its group, or its line of
// PlenkL.dat ("26行", "line 26", "26"); the values of the other files by label, name or group.
// Every word typed must match; the arrow keys choose, Enter goes to the field.

import {t, pick} from './messages.js';
import {narrow, formFiles} from './wall_form.js';

const LINE = /^(?:line\s*)?(\d+)\s*(?:行目?)?$/;
const MAX_SHOWN = 14;

export class FieldSearch {
  // box: the search <input>; list: the <ul> of results; onPick(name): go to that field.
  constructor(box, list, catalogue, onPick) {
    this.box = box;
    this.list = list;
    this.files = formFiles(catalogue);
    this.groups = new Map(this.files.flatMap((file) => file.groups.map((g) => [g.index, g])));
    this.onPick = onPick;
    this.found = [];
    this.active = 0;
    box.addEventListener('input', () => this.update());
    box.addEventListener('focus', () => this.update());
    box.addEventListener('blur', () => setTimeout(() => this.close(), 150));
    box.addEventListener('keydown', (e) => this.key(e));
  }

  // The fields the query names, in the file's order.
  matches(query) {
    const q = narrow(query).trim().toLowerCase();
    if (q === '') return [];
    const line = LINE.exec(q);
    if (line) return this.files[0].fields.filter((f) => f.line === Number(line[1]));
    const words = q.split(/\s+/);
    return this.files.flatMap((file) => file.fields).filter((f) => {
      const g = this.group(f);
      const text = `${f.label_ja} ${f.label_en} ${f.name} ${g.label_ja} ${g.label_en}`.toLowerCase();
      return words.every((w) => text.includes(w));
    });
  }

  group(f) {
    return this.groups.get(f.group);
  }

  update() {
    this.found = this.matches(this.box.value);
    this.active = 0;
    this.render();
  }

  render() {
    const items = this.found.slice(0, MAX_SHOWN).map((f, i) => {
      const g = this.group(f);
      const b = document.createElement('button');
      b.type = 'button';
      b.tabIndex = -1;
      b.className = i === this.active ? 'active' : '';
      b.dataset.field = f.name;
      const line = document.createElement('span');
      line.className = 'line';
      line.textContent = t('line', {line: f.line});
      const code = document.createElement('code');
      code.textContent = f.name;
      b.append(line, ` ${pick(g.label_ja, g.label_en)[0]} · ${pick(f.label_ja, f.label_en)[0]} `, code);
      b.addEventListener('mousedown', (e) => {
        e.preventDefault();  // the box keeps the focus until the field takes it
        this.pick(f.name);
      });
      const li = document.createElement('li');
      li.append(b);
      return li;
    });
    if (this.box.value.trim() !== '' && items.length === 0) {
      const li = document.createElement('li');
      li.className = 'none';
      li.textContent = t('search.none');
      items.push(li);
    }
    this.list.replaceChildren(...items);
    this.list.hidden = items.length === 0;
  }

  key(e) {
    const shown = Math.min(this.found.length, MAX_SHOWN);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      e.preventDefault();
      if (shown) this.active = (this.active + (e.key === 'ArrowDown' ? 1 : shown - 1)) % shown;
      this.render();
    } else if (e.key === 'Enter') {
      e.preventDefault();
      if (shown) this.pick(this.found[this.active].name);
    } else if (e.key === 'Escape') {
      this.box.value = '';
      this.close();
    }
  }

  pick(name) {
    this.close();
    this.onPick(name);
  }

  close() {
    this.list.hidden = true;
  }
}
