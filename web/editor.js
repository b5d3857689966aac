// The wall editor: the form of the input files, the live sheet, the run's status and the checks'
// findings, open, save (and a conflict with the disk that keeps the engineer's edits), undo and
// redo, downloads and the print view. Every number shown comes from the server, which runs the same
// sheet as the command line; every word from the page's catalogue or the server's, in the page's
// language.

import {t, has, applyTexts, setLanguage, language} from './messages.js';
import {WallForm, labelOf} from './wall_form.js';
import {SheetView} from './sheet_view.js';
import {FieldSearch} from './field_search.js';
import {EditHistory} from './history.js';
import {buildPrintPages} from './print_view.js';

const $ = (id) => document.getElementById(id);
const el = (tag, attrs = {}, ...children) => {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  e.append(...children);
  return e;
};
const token = document.querySelector('meta[name="lwall-token"]').content;
const WALL_FILE = 'PlenkL.dat';
const LAYER_FILE = 'GasouL.dat';

// Every request asks for the server's messages in the page's language.
const api = (path) => `${path}?lang=${language()}`;
const postJson = (path, body) =>
  fetch(api(path), {method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body)});
const answerOf = (res) => res.json().catch(() => ({}));
// The server's words of a refusal in both languages, for a notice that follows the page's language.
const reasonOf = (answer, res) =>
  answer.error_ja !== undefined ? {ja: answer.error_ja, en: answer.error_en} : answer.error ?? `HTTP ${res?.status ?? '—'}`;

let form;
let view;
const history = new EditHistory();
let folder = {dir: '', version: null, files: []};  // the served folder, as the server last described it
let saved = null;       // the texts last loaded from or saved to the folder; null: nothing saved yet
let saveBlocked = false;  // the folder's files could not be loaded: they are never saved over
let latest = null;      // the preview last answered
let lastGood = null;    // ... and the last one drawn with status 0, the sheet on the screen
let shownGood = false;  // a sheet drawn with status 0 is on the screen
let sent = 0;           // sequence number of the last preview asked for
let shown = 0;          // ... and of the one on the screen
let inFlight = false;
let pendingSince = null;  // time of the first edit not yet asked for
let lastNotice = null;    // {key, vars, kind, keep}: shown again in another language, gone with its cause
let failedPreview = null;  // the server's refusal of the last preview, when it answered with no run
let conflict = null;      // {theirs, disk}: a save refused because the folder changed since it was loaded

const texts = () => form.texts();
const sameTexts = (a, b) => JSON.stringify(a) === JSON.stringify(b);

// A notice lasts as long as its cause: until the next edit (a save, a download, a file opened), or,
// kept, until the folder is saved (a wall started from the example).
function notice(key, vars = {}, kind = '', keep = false) {
  lastNotice = {key, vars, kind, keep};
  showNotice();
}

function showNotice() {
  const n = $('notice');
  n.textContent = lastNotice ? t(lastNotice.key, lastNotice.vars) : '';
  n.className = lastNotice?.kind ?? '';
  n.hidden = !lastNotice;
}

function clearNotice(kept = false) {
  if (lastNotice && (kept || !lastNotice.keep)) {
    lastNotice = null;
    showNotice();
  }
}

function updateButtons() {
  const now = texts();
  const clean = saved !== null && sameTexts(now, saved);
  $('unsaved').hidden = clean || saveBlocked;
  $('save').disabled = saveBlocked;
  $('save').title = saveBlocked ? t('save.blocked') : t('save.title', {dir: folder.dir || '—'});
  $('undo').disabled = !history.canUndo();
  $('redo').disabled = !history.canRedo();
  $('revert').disabled = saved === null || clean;
}

// The preview is asked for at once when none is on its way; edits made meanwhile are gathered into
// one request sent when the answer is in. An answer older than the one shown is dropped.
function schedule(since = performance.now()) {
  pendingSince ??= since;
  document.body.dataset.busy = 'true';
  updateButtons();
  if (!inFlight) preview();
}

async function preview() {
  const since = pendingSince;
  pendingSince = null;
  inFlight = true;
  const seq = ++sent;
  try {
    const asked = performance.now();
    const res = await postJson('/api/preview', texts());
    const result = await answerOf(res);
    const answered = performance.now();
    if (!res.ok) {
      failedPreview = reasonOf(result, res);
      showError();
    } else if (seq > shown) {
      shown = seq;
      failedPreview = null;
      await show(result);
      // The benchmark's figures: the whole of it, the answer (server and transfer) and the painting.
      performance.measure('preview', {start: since, end: performance.now()});
      performance.measure('preview-answer', {start: asked, end: answered});
      performance.measure('preview-show', {start: answered, end: performance.now()});
      document.body.dataset.previewSeq = String(seq);
    }
  } catch (e) {
    failedPreview = {key: 'no.answer', vars: {detail: e.message}};
    showError();
  } finally {
    inFlight = false;
    if (pendingSince !== null) preview();
    else document.body.dataset.busy = 'false';
  }
}

// A preview the server could not run: its reason in the status bar, the last sheet kept greyed and
// nothing offered for download.
function showError() {
  $('status-bar').className = 'failed';
  $('status-code').textContent = t('status.none');
  $('status-message').textContent = t('status.no.run', {reason: failedPreview});
  $('sheet-view').classList.toggle('stale', shownGood);
  showDownloads([]);
}

// The status as the command line ends, said in the page's language: drawn, the values refused (each
// is beside its field and in the list), or what the stop means; the command line's own line as the
// tooltip.
function showStatus(result) {
  const code = result.status;
  const refused = result.refusals?.length ?? 0;
  $('status-bar').className = code === 0 ? 'drawn' : 'failed';
  $('status-bar').title = result.message ?? '';
  $('status-code').textContent = t('status.code', {code});
  $('status-message').textContent = code === 0 ? t('status.drawn')
    : refused ? t('status.refused', {count: refused})
      : has(`status.${code}`) ? t(`status.${code}`) : result.detail || result.message;
}

// The list above the sheet: every refused value (or the stop with its fields), then every finding,
// each as the server words it; a click goes to the field.
function showFindings(result) {
  const item = (text, field, kind = '') => {
    const b = el('button', {type: 'button'}, text);
    b.addEventListener('click', () => form.focus(field));
    return el('li', {class: kind}, b);
  };
  const at = (file, field) => (file === LAYER_FILE ? 'layers' : field);
  const list = (result.refusals ?? []).map((r) => item(r.message, at(r.file, r.field), 'refusal'));
  const field = result.field || result.fields?.[0];
  if (result.status !== 0 && !list.length && (field || result.file)) {
    list.push(item(result.detail || result.message, at(result.file, field), 'refusal'));
  }
  for (const f of result.findings ?? []) list.push(item(f.message, f.field));
  $('findings').replaceChildren(...list);
}

// A preview's answer on the page. A sheet that could not be drawn leaves the last one drawn on the
// screen, greyed, until the wall draws again.
async function show(result) {
  latest = result;
  showDownloads(result.downloads ?? [], result.pdf_missing);
  document.body.dataset.status = String(result.status);
  showStatus(result);
  form.showOutcome(result);
  showFindings(result);
  const good = result.status === 0;
  if (good) lastGood = result;
  if (good || !shownGood) {
    await view.show(result.display, result.frames);
    shownGood = good;
  }
  $('sheet-view').classList.toggle('stale', !good && shownGood);
}

// What the server says of its folder: its path, which files it holds and which it could not open.
// The layer file and the wall must be there; the others may well be missing.
function showFolder() {
  $('folder-path').textContent = folder.dir || '—';
  $('folder-files').replaceChildren(...folder.files.map((file) => {
    const key = file.problem ? 'file.unreadable' : file.exists ? 'file.present' : 'file.absent';
    const optional = file.name !== WALL_FILE && file.name !== LAYER_FILE;
    const span = el('span', {class: `file ${key === 'file.present' ? 'present' : 'absent'}`, 'data-file': file.name},
      `${file.name} ${t(key)}`);
    if (optional) span.dataset.optional = '';
    span.title = file.problem ?? '';
    return span;
  }));
}

// The folder as the server describes it: {folder, version, files: [{name, exists, loaded, size,
// problem}]} of a load, a save or a refused save.
function takeFolder(answer) {
  if (answer.files) folder = {dir: answer.folder ?? folder.dir, version: answer.version ?? null, files: answer.files};
  showFolder();
}

function showFailure(reason) {
  const failure = $('load-failure');
  failure.dataset.reason = reason.replace(/[。.]\s*$/, '');
  failure.textContent = t('notice.load.failed', {reason: failure.dataset.reason});
  failure.hidden = false;
}

const problemsOf = (files) => files.filter((f) => f.problem).map((f) => f.problem);

// The reasons the folder could not be loaded, in the page's language (nothing else is taken from
// the answer: the page keeps the version it loaded).
async function refreshFailure() {
  const answer = await answerOf(await fetch(api('/api/wall')));
  const problems = problemsOf(answer.files ?? []);
  if (problems.length) showFailure(problems.join(' / '));
  folder.files = answer.files ?? folder.files;
  showFolder();
}

// The texts of a load's answer in a request's shape: each file of the form by its key, the layers.
function textsOf(answer) {
  const out = {layers: answer.layers ?? null, held: {}};
  for (const file of form.files) out[file.key] = answer[file.key] ?? null;
  return out;
}

function load(loaded) {
  form.setTexts(loaded);
  history.reset(texts());
}

// Loads the folder's files. Where one cannot be opened, the page says why, leaves the form empty
// and saves nothing there; without a PlenkL.dat it starts from the example wall, unsaved. A folder
// without GasouL.dat gives no layers, and its sheet stops as the command line does: the layers then
// offer the standard layer file.
async function loadFolder() {
  const res = await fetch(api('/api/wall'));
  const answer = await answerOf(res);
  takeFolder(answer);
  const exists = (name) => folder.files.some((f) => f.name === name && f.exists);
  const problems = problemsOf(folder.files);
  if (!res.ok || problems.length) {
    saveBlocked = true;
    form.setDisabled(true);
    history.reset(texts());
    showFailure(problems.length ? problems.join(' / ') : answer.error ?? `HTTP ${res.status}`);
  } else if (!exists(WALL_FILE)) {
    const example = await (await fetch(api('/api/example'))).json();
    load({...textsOf(answer), wall: example.wall, layers: exists(LAYER_FILE) ? answer.layers : example.layers});
    notice('notice.example', {}, '', true);
  } else {
    load(textsOf(answer));
    saved = texts();
    if (exists(LAYER_FILE)) notice('notice.folder');
  }
}

function restore(step) {
  if (!step) return;
  clearNotice();
  form.setTexts(step.texts);
  if (step.field) form.focus(step.field);
  schedule();
}

function edited(field, time) {
  clearNotice();
  history.record(texts(), field);
  schedule(time);
}

function revert() {
  if (saved === null) return;
  form.setTexts(saved);
  history.record(texts(), null);
  notice('notice.reverted');
  schedule();
}

// Files picked from the disk, each by its name: the wall, the layers, the title (any file the form
// has, by its name).
async function open(files) {
  const decode = async (file) => new TextDecoder('shift_jis').decode(await file.arrayBuffer());
  const opened = {held: {}};
  for (const file of files) {
    const name = file.name.toLowerCase();
    const formFile = form.files.find((f) => f.name.toLowerCase() === name);
    if (name === LAYER_FILE.toLowerCase()) opened.layers = await decode(file);
    else if (formFile && formFile.name !== WALL_FILE) opened[formFile.key] = await decode(file);
    else opened.wall = await decode(file);
  }
  form.setTexts(opened);
  form.setDisabled(false);  // files from the disk may be looked at; the folder stays unsaved over
  history.record(texts(), null);
  notice('notice.opened', {names: [...files].map((f) => f.name).join(', ')});
  schedule();
}

// Saves with the version of the files the page loaded: the server refuses (409) when they changed
// since (the page then shows what differs and how to go on), or when one of them could not be
// opened, and says which files hold the new text when a save stops half way.
async function save() {
  if (saveBlocked) {
    notice('save.blocked', {}, 'failed');
    return;
  }
  const now = texts();
  let res;
  let answer;
  try {
    res = await fetch(api('/api/wall'), {
      method: 'PUT', headers: {'Content-Type': 'application/json', 'X-Lwall-Token': token},
      body: JSON.stringify({...now, version: folder.version}),
    });
    answer = await answerOf(res);
  } catch (e) {
    notice('notice.not.saved', {reason: {key: 'no.answer', vars: {detail: e.message}}}, 'failed');
    return;
  }
  if (res.ok || res.status === 500) takeFolder(answer);  // what the folder holds after this save
  if (res.ok) {
    saved = now;
    closeConflict();
    clearNotice(true);
    notice('notice.saved', {names: [...(answer.saved ?? []), ...(answer.unchanged ?? [])].join(', '), dir: folder.dir}, 'ok');
  } else if (res.status === 409 && answer.version) {
    await openConflict(now);
  } else {
    if (res.status === 409) takeFolder({...answer, version: folder.version});
    notice('notice.not.saved', {reason: reasonOf(answer, res)}, 'failed');
  }
  updateButtons();
}

// ---- A conflict with the disk ---------------------------------------------------------------------

// The folder changed since the page loaded it: the page shows, value by value, what the engineer's
// files hold against the disk's, and offers to keep theirs (saved over the disk), to take the
// disk's (theirs stay one undo away) or to download theirs. Nothing is lost on any path.
async function openConflict(theirs) {
  const disk = await answerOf(await fetch(api('/api/wall')));
  takeFolder({...disk, version: folder.version});
  conflict = {theirs, disk};
  showConflict();
  $('conflict').scrollIntoView({block: 'nearest'});
}

function closeConflict() {
  conflict = null;
  $('conflict').hidden = true;
}

// The values that differ: each field of the form's files, then the layer file line by line.
function differences() {
  const rows = [];
  const {theirs, disk} = conflict;
  for (const file of form.files) {
    const mine = form.valuesOf(file.key, theirs[file.key]);
    for (const [name, typed] of Object.entries(theirs.held ?? {})) if (mine.has(name)) mine.set(name, typed);
    const there = form.valuesOf(file.key, disk[file.key] ?? null);
    for (const f of file.fields) {
      if (mine.get(f.name) !== there.get(f.name)) {
        rows.push({name: f.name, label: `${labelOf(f)} (${f.name}, ${t('line.title', {line: f.line, file: f.file})})`,
          mine: mine.get(f.name), disk: there.get(f.name)});
      }
    }
  }
  const lines = (text) => (text ?? '').replace(/\r\n?/g, '\n').split('\n');
  const [mine, there] = [lines(theirs.layers), lines(disk.layers)];
  for (let n = 0; n < Math.max(mine.length, there.length); n++) {
    if ((mine[n] ?? '') !== (there[n] ?? '')) {
      rows.push({name: 'layers', label: t('line.title', {line: n + 1, file: LAYER_FILE}), mine: mine[n] ?? '', disk: there[n] ?? ''});
    }
  }
  return rows;
}

function showConflict() {
  if (!conflict) return;
  const missing = conflict.disk.files?.filter((f) => !f.exists).map((f) => f.name) ?? [];
  $('conflict-text').textContent = t('conflict.text', {dir: folder.dir}) + (missing.length ? ` ${t('conflict.missing', {names: missing.join(', ')})}` : '');
  const rows = differences();
  const cell = (tag, text, cls = '') => el(tag, cls ? {class: cls} : {}, text === '' ? t('conflict.empty') : text);
  $('conflict-diff').replaceChildren(
    el('thead', {}, el('tr', {}, el('th', {}, t('conflict.value')), el('th', {}, t('conflict.mine')), el('th', {}, t('conflict.disk')))),
    el('tbody', {}, ...(rows.length ? rows.map((r) => el('tr', {'data-field': r.name}, cell('th', r.label), cell('td', r.mine, 'mine'),
      cell('td', r.disk, 'disk'))) : [el('tr', {}, el('td', {colspan: '3'}, t('conflict.same')))])));
  $('conflict').hidden = false;
}

async function keepMine() {
  folder.version = conflict.disk.version;
  await save();
}

function takeDisk() {
  const disk = conflict.disk;
  form.setTexts(textsOf(disk));
  history.record(texts(), null);  // the engineer's own values stay one undo away
  saved = texts();
  takeFolder(disk);
  closeConflict();
  clearNotice(true);
  notice('notice.took.disk', {}, 'ok');
  schedule();
}

async function downloadMine() {
  const theirs = conflict.theirs;
  const names = [WALL_FILE, ...(theirs.layers !== null ? [LAYER_FILE] : []),
    ...form.files.filter((f) => f.name !== WALL_FILE && theirs[f.key] !== null).map((f) => f.name)];
  for (const name of names) await download(name, theirs);
}

// ---- Downloads ------------------------------------------------------------------------------------

// A file the server makes for these texts, saved by the browser under its name; a failure says it
// is a download.
async function download(name, body = texts()) {
  let res;
  let answer = {};
  try {
    res = await postJson(`/api/file/${name}`, body);
    if (!res.ok) answer = await answerOf(res);
  } catch (e) {
    notice('notice.not.downloaded', {name, reason: {key: 'no.answer', vars: {detail: e.message}}}, 'failed');
    return;
  }
  if (!res.ok) {
    notice('notice.not.downloaded', {name, reason: reasonOf(answer, res)}, 'failed');
    return;
  }
  const url = URL.createObjectURL(await res.blob());
  const a = el('a', {href: url, download: name});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  notice('notice.downloaded', {name}, 'ok');
}

// The files the server makes for download, as it lists them with every preview: none while the
// sheet cannot be drawn, and why there is no Lwall.pdf where the server cannot make one.
function showDownloads(names, pdfMissing = '') {
  const list = $('download-list');
  const key = `${names.join(' ')}|${pdfMissing ?? ''}|${language()}`;
  if (list.dataset.names === key) return;
  list.dataset.names = key;
  const buttons = names.map((name) => {
    const b = el('button', {type: 'button', 'data-download': name}, name);
    b.addEventListener('click', () => download(name));
    return b;
  });
  if (!names.length) buttons.push(el('span', {class: 'none'}, t('downloads.none')));
  else if (pdfMissing) buttons.push(el('span', {class: 'missing', 'data-missing': 'Lwall.pdf', title: pdfMissing},
    t('downloads.no.pdf', {reason: pdfMissing})));
  list.replaceChildren(...buttons);
}

// ---- Print ----------------------------------------------------------------------------------------

function buildPrint() {
  // The sheet on the screen: while a value is refused, the last one drawn.
  $('print-note').textContent = buildPrintPages(lastGood ?? latest, $('print-defs'), $('print-pages'));
}

function openPrint() {
  buildPrint();
  $('print-view').hidden = false;
  document.body.classList.add('printing');
  $('print-close').focus();
}

function closePrint() {
  $('print-view').hidden = true;
  document.body.classList.remove('printing');
}

// The page in the other language: its own words at once, the server's with the next preview (and
// the folder's reasons asked again).
function switchLanguage() {
  setLanguage(language() === 'ja' ? 'en' : 'ja');
  form.build();
  if (latest) {
    form.showOutcome(latest);
    showStatus(latest);
    showFindings(latest);
    showDownloads(latest.downloads ?? [], latest.pdf_missing);
  }
  if (failedPreview) showError();
  showNotice();
  showConflict();
  if (saveBlocked) refreshFailure();
  showFolder();
  updateButtons();
  if (!saveBlocked || latest) schedule();
}

// Ctrl+S saves, Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) undo and redo across fields, Esc closes the
// print view. The search box keeps its own undo.
function keys(e) {
  if (e.key === 'Escape' && !$('print-view').hidden) {
    e.preventDefault();
    closePrint();
    return;
  }
  if (!(e.ctrlKey || e.metaKey) || e.altKey) return;
  const key = e.key.toLowerCase();
  if (key === 's') {
    e.preventDefault();
    save();
  } else if (e.target === $('field-search') || !$('print-view').hidden) {
    // the box's own editing
  } else if (key === 'z' && !e.shiftKey) {
    e.preventDefault();
    restore(history.undo());
  } else if (key === 'y' || (key === 'z' && e.shiftKey)) {
    e.preventDefault();
    restore(history.redo());
  }
}

async function start() {
  applyTexts();
  const catalogue = await (await fetch(api('/api/fields'))).json();
  form = new WallForm($('wall-form'), catalogue, edited);
  form.onLayersMissing = async () => {
    const example = await (await fetch(api('/api/example'))).json();
    form.writeLayers(example.layers);
    form.focus('layers');
  };
  view = new SheetView($('sheet-view'));
  new FieldSearch($('field-search'), $('search-results'), catalogue, (name) => form.focus(name));
  await loadFolder();
  $('open').addEventListener('click', () => $('open-files').click());
  $('open-files').addEventListener('change', (e) => open(e.target.files));
  $('save').addEventListener('click', save);
  $('undo').addEventListener('click', () => restore(history.undo()));
  $('redo').addEventListener('click', () => restore(history.redo()));
  $('revert').addEventListener('click', revert);
  $('lang').addEventListener('click', switchLanguage);
  $('fit').addEventListener('click', () => view.fit());
  $('print-open').addEventListener('click', openPrint);
  $('print-close').addEventListener('click', closePrint);
  $('print-now').addEventListener('click', () => window.print());
  $('conflict-keep').addEventListener('click', keepMine);
  $('conflict-take').addEventListener('click', takeDisk);
  $('conflict-download').addEventListener('click', downloadMine);
  document.addEventListener('keydown', keys, true);
  window.addEventListener('beforeprint', () => {
    if ($('print-view').hidden) buildPrint();
  });
  window.addEventListener('beforeunload', (e) => {
    if (!$('unsaved').hidden) e.preventDefault();
  });
  updateButtons();
  if (saveBlocked) document.body.dataset.busy = 'false';
  else schedule();
}

start();
