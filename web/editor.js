// The wall editor: the form of PlenkL.dat, the live sheet, the run's status and the checks' findings,
// open, save, downloads and the print view. Every number shown comes from the server, which runs
// the same sheet as the command line.

import {WallForm} from './wall_form.js';
import {SheetView} from './sheet_view.js';
import {buildPrintPages} from './print_view.js';

const $ = (id) => document.getElementById(id);
const token = document.querySelector('meta[name="lwall-token"]').content;

const postJson = (url, body) =>
  fetch(url, {method: 'POST', headers: {'Content-Type': 'application/json'}, body: JSON.stringify(body)});

let form;
let view;
let folder = null;      // the served folder as last loaded or saved: {folder, version, files}
let layersAbsent = false;  // the folder has no GasouL.dat and none was typed or opened
let saved = null;       // the texts last loaded from or saved to the folder
let latest = null;      // the preview on the screen
let sent = 0;           // sequence number of the last preview asked for
let shown = 0;          // ... and of the one on the screen
let inFlight = false;
let pendingSince = null;  // time of the first edit not yet asked for

// Without a GasouL.dat the preview ends as the command line does (status 4); no example layers are
// slipped in, so none are saved either.
const texts = () => ({wall: form.text(), layers: layersAbsent && form.layerText() === '' ? null : form.layerText()});

function notice(text, kind = '') {
  const n = $('notice');
  n.textContent = text;
  n.className = kind;
}

function markUnsaved() {
  const t = texts();
  $('unsaved').hidden = saved !== null && t.wall === saved.wall && t.layers === saved.layers;
}

// The preview is asked for at once when none is on its way; edits made meanwhile are gathered into
// one request sent when the answer is in. An answer older than the one shown is dropped.
function schedule(since = performance.now()) {
  pendingSince ??= since;
  document.body.dataset.busy = 'true';
  markUnsaved();
  if (!inFlight) preview();
}

async function preview() {
  const since = pendingSince;
  pendingSince = null;
  inFlight = true;
  const seq = ++sent;
  try {
    const res = await postJson('/api/preview', texts());
    const result = await res.json();
    if (!res.ok) {
      showError(result.error);
    } else if (seq > shown) {
      shown = seq;
      await show(result);
      performance.measure('preview', {start: since, end: performance.now()});
      document.body.dataset.previewSeq = String(seq);
    }
  } catch (e) {
    showError(`lwall serve does not answer (${e.message})`);
  } finally {
    inFlight = false;
    if (pendingSince !== null) preview();
    else document.body.dataset.busy = 'false';
  }
}

function showError(message) {
  $('status-bar').className = 'failed';
  $('status-code').textContent = '—';
  $('status-message').textContent = message;
}

async function show(result) {
  latest = result;
  const bar = $('status-bar');
  bar.className = result.status === 0 ? 'drawn' : 'failed';
  document.body.dataset.status = String(result.status);
  $('status-code').textContent = `status ${result.status}`;
  $('status-message').textContent = result.status === 0 ? '作図しました (drawn)' : result.message;
  form.showOutcome(result);
  const list = $('findings');
  list.replaceChildren(...result.findings.map((f) => {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = f.message;
    b.addEventListener('click', () => form.focus(f.field));
    const li = document.createElement('li');
    li.append(b);
    return li;
  }));
  if (result.status !== 0 && result.field) {
    const li = document.createElement('li');
    li.className = 'refusal';
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = result.detail || result.message;
    b.addEventListener('click', () => form.focus(result.file === 'GasouL.dat' ? 'layers' : result.field));
    li.append(b);
    list.prepend(li);
  }
  await view.show(result.svg);
}

function load(wall, layers) {
  form.setText(wall);
  form.setLayers(layers);
}

async function open(files) {
  const decode = async (file) => new TextDecoder('shift_jis').decode(await file.arrayBuffer());
  let wall = null;
  let layers = null;
  for (const file of files) {
    if (file.name.toLowerCase() === 'gasoul.dat') layers = await decode(file);
    else wall = await decode(file);
  }
  if (wall !== null) form.setText(wall);
  if (layers !== null) {
    form.setLayers(layers);
    layersAbsent = false;
  }
  notice(`開きました (opened): ${[...files].map((f) => f.name).join(', ')}`);
  schedule();
}

// Saves with the version of the files the page loaded: the server refuses (409) when they changed
// since, or when one of them could not be loaded.
async function save() {
  const t = texts();
  const res = await fetch('/api/wall', {
    method: 'PUT', headers: {'Content-Type': 'application/json', 'X-Lwall-Token': token},
    body: JSON.stringify({...t, version: folder.version}),
  });
  const answer = await res.json();
  if (res.ok || res.status === 500) folder.version = answer.version;  // what the folder holds after this save
  if (res.ok) {
    saved = t;
    layersAbsent = t.layers === null;
    markUnsaved();
    notice(`保存しました (saved): ${answer.saved.join(', ')} → ${folder.folder}`, 'ok');
  } else {
    notice(`保存できません (not saved): ${answer.error}`, 'failed');
  }
}

async function download(name) {
  const res = await postJson(`/api/file/${name}`, texts());
  if (!res.ok) {
    const answer = await res.json();
    notice(`${name}: ${answer.message ?? answer.error}`, 'failed');
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
  notice(`${name} をダウンロードしました (downloaded)`, 'ok');
}

function buildPrint() {
  $('print-note').textContent = buildPrintPages(latest, $('print-defs'), $('print-pages'));
}

function openPrint() {
  buildPrint();
  $('print-view').hidden = false;
  document.body.classList.add('printing');
}

function closePrint() {
  $('print-view').hidden = true;
  document.body.classList.remove('printing');
}

async function start() {
  const catalogue = await (await fetch('/api/fields')).json();
  form = new WallForm($('wall-form'), catalogue, (e) => schedule(e.timeStamp));
  view = new SheetView($('sheet-view'));
  const example = fetch('/api/example').then((r) => r.json());
  folder = await (await fetch('/api/wall')).json();
  const file = (name) => folder.files.find((f) => f.name === name);
  const problems = folder.files.filter((f) => f.problem).map((f) => f.problem);
  $('save').title = `保存先 (saved to): ${folder.folder}`;
  if (problems.length) {
    // A file is there that the editor could not open: nothing is loaded in its place, and nothing
    // can be saved over it.
    $('save').disabled = true;
    notice(`${folder.folder}: ${problems.join(' / ')}`, 'failed');
  } else if (!file('PlenkL.dat').exists) {
    const e = await example;
    load(e.wall, file('GasouL.dat').exists ? folder.layers : e.layers);
    notice(`${folder.folder} に PlenkL.dat がありません。例の壁から始めます: まだ保存していません (an example wall, not saved yet)`);
  } else {
    layersAbsent = !file('GasouL.dat').exists;
    load(folder.wall, folder.layers ?? '');
    saved = texts();
    notice(`${folder.folder} の PlenkL.dat を開きました (opened from the folder)` +
      (layersAbsent ? '。GasouL.dat がありません (no GasouL.dat)' : ''));
  }
  $('open').addEventListener('click', () => $('open-files').click());
  $('open-files').addEventListener('change', (e) => open(e.target.files));
  $('save').addEventListener('click', save);
  for (const b of document.querySelectorAll('[data-download]')) {
    b.addEventListener('click', () => download(b.dataset.download));
  }
  $('fit').addEventListener('click', () => view.fit());
  $('print-open').addEventListener('click', openPrint);
  $('print-close').addEventListener('click', closePrint);
  $('print-now').addEventListener('click', () => window.print());
  window.addEventListener('beforeprint', () => {
    if ($('print-view').hidden) buildPrint();
  });
  window.addEventListener('beforeunload', (e) => {
    if (!$('unsaved').hidden) e.preventDefault();
  });
  schedule();
}

start();
