// The wall editor: the form of PlenkL.dat and HyodaiL.dat, the live sheet, the run's status and the checks' findings,
// open, save, undo and redo, downloads and the print view. Every number shown comes from the
// server, which runs the same sheet as the command line.

import {t, applyTexts, setLanguage, language} from './messages.js';
import {WallForm} from './wall_form.js';
import {SheetView} from './sheet_view.js';
import {FieldSearch} from './field_search.js';
import {EditHistory} from './history.js';
import {buildPrintPages} from './print_view.js';

const $ = (id) => document.getElementById(id);
const token = document.querySelector('meta[name="lwall-token"]').content;

// Every request asks for the server's messages in the page's language.
const api = (path) => `${path}?lang=${language()}`;
const postJson = (path, body) =>
  fetch(api(path), {method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body)});
const answerOf = (res) => res.json().catch(() => ({}));

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
let lastNotice = null;    // {key, vars, kind}, shown again in another language

const texts = () => ({wall: form.text(), layers: form.layerText(), title: form.titleText()});
const sameTexts = (a, b) => a.wall === b.wall && a.layers === b.layers && a.title === b.title;

function notice(key, vars = {}, kind = '') {
  lastNotice = {key, vars, kind};
  const n = $('notice');
  n.textContent = t(key, vars);
  n.className = kind;
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
      showError(result.error ?? `HTTP ${res.status}`);
      if (result.file && result.line) form.showRefusedCharacter(result);
    } else if (seq > shown) {
      shown = seq;
      await show(result);
      // The benchmark's figures: the whole of it, the answer (server and transfer) and the painting.
      performance.measure('preview', {start: since, end: performance.now()});
      performance.measure('preview-answer', {start: asked, end: answered});
      performance.measure('preview-show', {start: answered, end: performance.now()});
      document.body.dataset.previewSeq = String(seq);
    }
  } catch (e) {
    showError(t('no.answer', {detail: e.message}));
  } finally {
    inFlight = false;
    if (pendingSince !== null) preview();
    else document.body.dataset.busy = 'false';
  }
}

function showError(message) {
  $('status-bar').className = 'failed';
  $('status-code').textContent = t('status.none');
  $('status-message').textContent = message;
  $('sheet-view').classList.toggle('stale', shownGood);
}

function showStatus(result) {
  $('status-bar').className = result.status === 0 ? 'drawn' : 'failed';
  $('status-code').textContent = t('status.code', {code: result.status});
  $('status-message').textContent = result.status === 0 ? t('status.drawn') : result.message;
}

function showFindings(result) {
  const item = (text, field, kind = '') => {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = text;
    b.addEventListener('click', () => form.focus(field));
    const li = document.createElement('li');
    li.className = kind;
    li.append(b);
    return li;
  };
  const list = result.findings.map((f) => item(f.message || t('finding', f), f.field));
  const field = result.field || result.fields?.[0];
  if (result.status !== 0 && field) {
    list.unshift(item(result.detail || result.message, result.file === 'GasouL.dat' ? 'layers' : field, 'refusal'));
  }
  $('findings').replaceChildren(...list);
}

// A preview's answer on the page. A sheet that could not be drawn leaves the last one drawn on the
// screen, greyed, until the wall draws again.
async function show(result) {
  latest = result;
  showDownloads(result.downloads ?? []);
  document.body.dataset.status = String(result.status);
  showStatus(result);
  form.showOutcome(result);
  showFindings(result);
  const good = result.status === 0;
  if (good) lastGood = result;
  if (good || !shownGood) {
    await view.show(result.display);
    shownGood = good;
  }
  $('sheet-view').classList.toggle('stale', !good && shownGood);
}

// What the server says of its folder: its path, which files it holds and which it could not open.
function showFolder() {
  $('folder-path').textContent = folder.dir || '—';
  for (const el of document.querySelectorAll('#folder-bar .file')) {
    const file = folder.files.find((f) => f.name === el.dataset.file);
    const key = !file ? null : file.problem ? 'file.unreadable' : file.exists ? 'file.present' : 'file.absent';
    el.textContent = key ? `${el.dataset.file} ${t(key)}` : '';
    el.title = file?.problem ?? '';
    el.className = `file ${key === 'file.present' ? 'present' : key ? 'absent' : ''}`;
  }
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
}

function load(loaded) {
  form.setText(loaded.wall);
  form.setLayers(loaded.layers);
  form.setTitle(loaded.title);
  history.reset(texts());
}

// Loads the folder's files. Where one cannot be opened, the page says why, leaves the form empty
// and saves nothing there; without a PlenkL.dat it starts from the example wall, unsaved. A folder
// without GasouL.dat gives no layers, and its sheet stops as the command line does.
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
  } else if (!exists('PlenkL.dat')) {
    const example = await (await fetch(api('/api/example'))).json();
    load({wall: example.wall, layers: exists('GasouL.dat') ? answer.layers : example.layers, title: answer.title ?? null});
    notice('notice.example');
  } else {
    load({wall: answer.wall, layers: answer.layers ?? null, title: answer.title ?? null});
    saved = texts();
    if (exists('GasouL.dat')) notice('notice.folder');
    else notice('notice.no.layers', {}, 'failed');
  }
}

function setTexts(texts) {
  form.setText(texts.wall);
  form.setLayers(texts.layers);
  form.setTitle(texts.title);
}

function restore(step) {
  if (!step) return;
  setTexts(step.texts);
  if (step.field) form.focus(step.field);
  schedule();
}

function edited(field, time) {
  history.record(texts(), field);
  schedule(time);
}

function revert() {
  if (saved === null) return;
  setTexts(saved);
  history.record(texts(), null);
  notice('notice.reverted');
  schedule();
}

async function open(files) {
  const decode = async (file) => new TextDecoder('shift_jis').decode(await file.arrayBuffer());
  let wall = null;
  let layers = null;
  let title = null;
  for (const file of files) {
    const name = file.name.toLowerCase();
    if (name === 'gasoul.dat') layers = await decode(file);
    else if (name === 'hyodail.dat') title = await decode(file);
    else wall = await decode(file);
  }
  if (wall !== null) form.setText(wall);
  if (layers !== null) form.setLayers(layers);
  if (title !== null) form.setTitle(title);
  form.setDisabled(false);  // files from the disk may be looked at; the folder stays unsaved over
  history.record(texts(), null);
  notice('notice.opened', {names: [...files].map((f) => f.name).join(', ')});
  schedule();
}

// Saves with the version of the files the page loaded: the server refuses (409) when they changed
// since, or when one of them could not be opened, and says which files hold the new text when a
// save stops half way.
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
    notice('notice.not.saved', {reason: t('no.answer', {detail: e.message})}, 'failed');
    return;
  }
  if (res.ok || res.status === 500) takeFolder(answer);  // what the folder holds after this save
  if (res.ok) {
    saved = now;
    notice('notice.saved', {names: [...(answer.saved ?? []), ...(answer.unchanged ?? [])].join(', '), dir: folder.dir}, 'ok');
  } else {
    notice('notice.not.saved', {reason: answer.error ?? answer.message ?? `HTTP ${res.status}`}, 'failed');
  }
  updateButtons();
}

async function download(name) {
  const res = await postJson(`/api/file/${name}`, texts());
  if (!res.ok) {
    const answer = await answerOf(res);
    notice('notice.not.saved', {reason: `${name}: ${answer.message ?? answer.error}`}, 'failed');
    return;
  }
  const url = URL.createObjectURL(await res.blob());
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
  notice('notice.downloaded', {name}, 'ok');
}

// The files the server makes for download, as it lists them with every preview.
function showDownloads(names) {
  const list = $('download-list');
  if (list.dataset.names === names.join(' ')) return;
  list.dataset.names = names.join(' ');
  list.replaceChildren(...names.map((name) => {
    const b = document.createElement('button');
    b.type = 'button';
    b.dataset.download = name;
    b.textContent = name;
    b.addEventListener('click', () => download(name));
    return b;
  }));
}

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

// The page in the other language: its own words at once, the server's with the next preview.
function switchLanguage() {
  setLanguage(language() === 'ja' ? 'en' : 'ja');
  form.build();
  if (latest) {
    form.showOutcome(latest);
    showStatus(latest);
    showFindings(latest);
  }
  if (lastNotice) notice(lastNotice.key, lastNotice.vars, lastNotice.kind);
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
