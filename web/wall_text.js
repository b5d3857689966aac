// The text of the input files as the form edits them: in place. A file keeps its bytes where
// no value changed (line ends, blank lines, blanks around values, what follows the last line), and
// a changed value takes the place of the old one, so that saving an unedited wall writes what was
// read. A value typed into a field of numbers is judged in that field alone: it never reaches the
// file as two values, which would move every value after it into the next field.

// Full-width forms (U+FF01 ... U+FF5E) as ASCII, the ideographic space as a blank, and the minus
// signs, points and commas an input method types in place of '-', '.' and ','. One character for
// one, so that the caret stays where it was.
const NARROW = {'\u3000': ' ', '\u2212': '-', '\u2010': '-', '\u2011': '-', '\u30fc': '-', '\uff70': '-',
  '\u3002': '.', '\uff61': '.', '\u3001': ',', '\uff64': ','};
export function narrow(text) {
  return text.replace(/[\uff01-\uff5e\u3000\u2212\u2010\u2011\u30fc\uff70\u3002\uff61\u3001\uff64]/g,
    (c) => NARROW[c] ?? String.fromCharCode(c.charCodeAt(0) - 0xfee0));
}

// A number written with thousands commas: "2,450", "-12,000.5".
const THOUSANDS = /^([ \t]*[+-]?)(\d{1,3}(?:,\d{3})+)(\.\d*)?([ \t]*)$/;
// What would end a value of the file: a comma, a line end.
const SEPARATOR = /[,\r\n]/;

// What a field of numbers puts into the file for the text typed into it: a number with thousands
// commas is the number it plainly means ("2,450" is 2450); any other comma or line break would be
// several values of the file, and the value is held back (held: true), to be refused in its own
// field. Everything else goes into the file as typed, for the reader to take or refuse.
export function fieldValue(typed) {
  const m = THOUSANDS.exec(typed);
  if (m) return {value: m[1] + m[2].replace(/,/g, '') + (m[3] ?? '') + m[4], held: false};
  return {value: typed, held: SEPARATOR.test(typed)};
}

// What a field of numbers shows once typed into: narrowed, and a thousands number as the number.
export function shownValue(typed) {
  const narrowed = narrow(typed);
  const {value, held} = fieldValue(narrowed);
  return held ? narrowed : value;
}

const BLANK_LINE = /^[ \t\r\f\v]*$/;
const TRAILING_BLANKS = /[ \t\r\f\v]*$/;

// One value of a line: the blanks before it, the value, the blanks after it.
function piece(text) {
  const core = text.trim();
  if (core === '') return {before: text, core: '', after: ''};
  const start = text.indexOf(core);
  return {before: text.slice(0, start), core, after: text.slice(start + core.length)};
}

export class WallText {
  // text: PlenkL.dat; byLine[line]: the catalogue's fields of that line, in order; lines: 43.
  constructor(text, byLine, lines) {
    this.byLine = byLine;
    this.lines = lines;
    this.raw = text.split('\n');  // a line's CR, if any, stays at its end
    this.eol = this.raw.some((r, i) => i < this.raw.length - 1 && r.endsWith('\r')) ? '\r\n' : '\n';
    this.rows = [];  // line -> {index: in raw, pieces, end: the line's trailing blanks and CR}
    let line = 1;
    for (let i = 0; i < this.raw.length && line <= lines; i++) {
      if (BLANK_LINE.test(this.raw[i])) continue;  // the reader skips blank lines
      const end = TRAILING_BLANKS.exec(this.raw[i])[0];
      const values = this.raw[i].slice(0, this.raw[i].length - end.length).split(',');
      const fields = byLine[line];
      // A line with more values than fields keeps the rest in its last field, so that the reader
      // still sees them.
      const pieces = fields.map((f, k) =>
        k >= values.length ? null : piece(k === fields.length - 1 ? values.slice(k).join(',') : values[k]));
      this.rows[line++] = {index: i, pieces, end};
    }
  }

  // The value of each field as the file holds it ('' where the file leaves it out).
  values() {
    const out = new Map();
    for (let line = 1; line <= this.lines; line++) {
      this.byLine[line].forEach((f, k) => out.set(f.name, this.rows[line]?.pieces[k]?.core ?? ''));
    }
    return out;
  }

  // The file of the values typed into the form, `typedOf(name)`: a value held back (fieldValue)
  // leaves the file's own value in its place and is named in `held`, name -> the text typed.
  formText(typedOf) {
    const own = this.values();
    const held = {};
    const text = this.text((name) => {
      const typed = typedOf(name);
      if (!fieldValue(typed).held) return typed;
      held[name] = typed;
      return own.get(name);
    });
    return {text, held};
  }

  // The file with the values `valueOf(name)`: unchanged lines as they were, a changed value in the
  // place of the old one with the blanks around it. Empty values at the end of a changed line are
  // left out (the reader leaves those fields 0); a line left with no value at all holds 0, so that
  // the lines after it are not read one line early.
  text(valueOf) {
    const out = this.raw.slice();
    const added = [];
    for (let line = 1; line <= this.lines; line++) {
      const row = this.rows[line];
      const values = this.byLine[line].map((f) => valueOf(f.name));
      if (row && values.every((v, k) => v === (row.pieces[k]?.core ?? ''))) continue;
      const parts = values.map((v, k) => {
        const p = row?.pieces[k];
        return p ? p.before + v + p.after : v;
      });
      while (parts.length && values[parts.length - 1] === '') parts.pop();
      const text = parts.length ? parts.join(',') : '0';
      if (row) out[row.index] = text + row.end;
      else added.push({line, text: text + (this.eol === '\r\n' ? '\r' : ''), empty: !parts.length});
    }
    // Lines the file did not reach go after its last line, as far as the last one with a value.
    while (added.length && added[added.length - 1].empty) added.pop();
    if (added.length) {
      const last = this.rows.findLast((r) => r !== undefined);
      const at = last ? last.index + 1 : 0;
      const lines = added.map((a) => a.text);
      if (at >= out.length || (at === out.length - 1 && out[at] === '')) lines.push('');
      out.splice(at, at === out.length - 1 && out[at] === '' ? 1 : 0, ...lines);
    }
    return out.join('\n');
  }
}

// GasouL.dat as a text area holds it: the area gives its lines with LF alone, so an unedited text
// is handed back as it was read, and an edited one takes the file's own line end. A folder without
// the file gives null, handed back as null while the area stays empty; a layer file written there
// ends its lines in CR LF, as the other files the program writes.
export class LayerText {
  constructor(text) {
    this.original = text;
    this.shown = (text ?? '').replace(/\r\n?/g, '\n');
    this.eol = text == null || /\r\n/.test(text) ? '\r\n' : '\n';
  }

  text(value) {
    if (value === this.shown) return this.original;
    return this.eol === '\n' ? value : value.replace(/\n/g, this.eol);
  }
}

// HyodaiL.dat as the form edits it: line n holds value n, a blank line an empty value; blanks and
// tabs around a value are not part of it. A changed value takes the place of the old one; a value
// on a line the file does not reach yet gets that line, and blank lines before it, each ending as
// the file's lines end (CR LF in a new file). Unchanged, the text read is handed back as it was,
// and a folder without the file gives null until a value is typed.
const TITLE_PIECE = /^([ \t]*)(.*?)([ \t]*)$/s;

export class TitleText {
  // text: the file, or null; count: the values it holds (7).
  constructor(text, count) {
    this.original = text;
    this.count = count;
    this.rows = [];  // {body, end}: a line without its line end, and its line end ('' for a last line without one)
    const parts = (text ?? '').split('\n');
    parts.forEach((part, i) => {
      const last = i === parts.length - 1;
      if (last && part === '') return;
      const cr = !last && part.endsWith('\r');
      this.rows.push({body: cr ? part.slice(0, -1) : part, end: last ? '' : cr ? '\r\n' : '\n'});
    });
    this.eol = /\r\n/.test(text ?? '') ? '\r\n' : /\n/.test(text ?? '') ? '\n' : '\r\n';
  }

  // The value of line n (1 ... count) as the reader takes it.
  value(n) {
    const row = this.rows[n - 1];
    if (!row) return '';
    return TITLE_PIECE.exec(row.body.endsWith('\r') ? row.body.slice(0, -1) : row.body)[2];
  }

  // The file with the value of line n `valueOf(n)`.
  text(valueOf) {
    const changed = [];
    for (let n = 1; n <= this.count; n++) if (valueOf(n) !== this.value(n)) changed.push(n);
    if (changed.length === 0) return this.original;
    const rows = this.rows.map((r) => ({...r}));
    for (const n of changed) {
      while (rows.length < n) {
        if (rows.length && rows[rows.length - 1].end === '') rows[rows.length - 1].end = this.eol;
        rows.push({body: '', end: this.eol});
      }
      const [, before, , after] = TITLE_PIECE.exec(rows[n - 1].body);
      rows[n - 1].body = before + valueOf(n) + after;
    }
    return rows.map((r) => r.body + r.end).join('');
  }
}
