// Undo and redo across every field, the layer file and the title file. A step is the pair of texts
// before it and the field it changed; keys typed into one field without a pause of a second make
// one step, and opening a file or going back to the saved texts is one step of its own. Texts are
// the form's files as a request carries them ({wall, layers, title, held, ...}).

const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

const PAUSE_MS = 1000;
const KEPT = 500;

export class EditHistory {
  // texts: the files {wall, layers, title} the history starts from.
  reset(texts) {
    this.current = texts;
    this.undone = [];
    this.done = [];
    this.last = null;  // {field, time} of the step that typing may still extend
  }

  // The texts after an edit of `field` (null: a step of its own, never extended).
  record(texts, field, time = performance.now()) {
    if (same(texts, this.current)) return;
    const extends_ = field !== null && this.last && this.last.field === field && time - this.last.time < PAUSE_MS;
    if (!extends_) {
      this.done.push({texts: this.current, field});
      if (this.done.length > KEPT) this.done.shift();
    }
    this.last = field === null ? null : {field, time};
    this.current = texts;
    this.undone = [];
  }

  // The step gone back to (or forward to): its texts and the field it changed; null when none.
  undo() { return this.move(this.done, this.undone); }
  redo() { return this.move(this.undone, this.done); }

  move(from, to) {
    const step = from.pop();
    if (!step) return null;
    to.push({texts: this.current, field: step.field});
    this.current = step.texts;
    this.last = null;
    return step;
  }

  canUndo() { return this.done.length > 0; }
  canRedo() { return this.undone.length > 0; }
}
