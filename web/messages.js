// Every word the page shows, Japanese first, English on the switch; the choice is remembered in the
// browser. Texts take {name} placeholders, filled with a string, a pair {ja, en} of the server's
// words, or another text {key, vars}, each in the page's language when shown. Elements of the page
// name their text with data-text (content), data-title (tooltip), data-placeholder and data-label
// (aria-label).

const TEXTS = {
  ja: {
    'app.title': 'lwall 擁壁配筋図エディタ',
    'app.name': '擁壁配筋図エディタ',
    'lang.switch': 'English',
    'lang.switch.title': 'Show the page and the messages in English',
    'open': '開く',
    'open.title': 'ディスクの PlenkL.dat を開きます(GasouL.dat と HyodaiL.dat も一緒に選べます)',
    'save': '保存',
    'save.title': '{dir} の PlenkL.dat・GasouL.dat・HyodaiL.dat に保存します (Ctrl+S)',
    'save.blocked': 'フォルダのファイルを読み込めなかったため、上書きしないよう保存できません',
    'unsaved.title': '保存していない変更があります',
    'undo': '元に戻す',
    'undo.title': '直前の変更を元に戻します (Ctrl+Z)',
    'redo': 'やり直す',
    'redo.title': '元に戻した変更をやり直します (Ctrl+Y, Ctrl+Shift+Z)',
    'revert': '保存時に戻す',
    'revert.title': 'フォルダから読み込んだ時、または最後に保存した時の値に戻します',
    'downloads': 'ダウンロード',
    'downloads.title': 'コマンドラインが同じファイルから書くとおりのファイルをダウンロードします',
    'print': '印刷',
    'print.title': '印刷表示: 図枠ごとに A1 横 1 枚、その図枠の縮尺どおりに',
    'print.now': '印刷する',
    'print.now.title': 'A1 横で印刷、または PDF に保存します',
    'print.close': '閉じる',
    'print.close.title': '印刷表示を閉じます (Esc)',
    'print.nothing': 'この壁は作図できないため、印刷するものがありません',
    'print.page': '{page}/{pages}  S=1:{scale}  A1',
    'search.placeholder': '項目を検索(名称・名前・26行)',
    'search.label': '項目を検索',
    'search.none': '見つかりません',
    'folder': 'フォルダ',
    'folder.title': '保存先のフォルダ(lwall serve の --dir)',
    'file.present': 'あり',
    'file.absent': 'なし',
    'file.unreadable': '読めません',
    'sheet.view.title': 'ホイール: 拡大・縮小、ドラッグ: 移動',
    'fit': '全体',
    'fit.title': 'シート全体を表示します',
    'busy': '作図中…',
    'stale': '入力を受け付けられないため、最後に作図できたシートを表示しています',
    'status.code': '終了コード {code}',
    'status.drawn': '作図しました',
    'status.none': '—',
    'status.refused': '受け付けない値が {count} 個あります(欄の横と上の一覧に示しています)',
    'status.1': '壁の幅か高さが制限を超えるため作図できません',
    'status.4': 'GasouL.dat(画層ファイル)がないため作図できません',
    'status.5': '底版の鉄筋が最大部材長より長くなるため、作図が途中で止まります',
    'status.6': '入力を受け付けません',
    'status.no.run': '作図できません: {reason}',
    'no.answer': 'lwall serve から応答がありません({detail})',
    'notice.folder': 'フォルダの PlenkL.dat を開きました',
    'notice.example': 'フォルダに PlenkL.dat がないため、例の壁から始めます(まだ保存していません)',
    'notice.opened': '開きました: {names}',
    'notice.saved': '{dir} に保存しました: {names}',
    'notice.not.saved': '保存できませんでした: {reason}',
    'notice.downloaded': '{name} をダウンロードしました',
    'notice.not.downloaded': '{name} をダウンロードできませんでした: {reason}',
    'notice.reverted': '保存時の値に戻しました',
    'notice.took.disk': 'ディスクのファイルを読み込みました。「元に戻す」で自分の値に戻せます',
    'downloads.none': '作図できるまでダウンロードはできません',
    'downloads.no.pdf': 'Lwall.pdf は作れません: {reason}',
    'conflict.text': '保存していません: {dir} のファイルが、読み込んだ後にほかで変わりました。あなたの値とディスクの値の違いは次のとおりです。どちらも失われません。',
    'conflict.missing': 'ディスクにないファイル: {names}',
    'conflict.value': '項目',
    'conflict.mine': 'あなたの値',
    'conflict.disk': 'ディスクの値',
    'conflict.empty': '(空)',
    'conflict.same': '値の違いはありません(行末や空白だけが違います)',
    'conflict.keep': 'あなたの値で上書き保存',
    'conflict.keep.title': 'ディスクのファイルを、この画面の値で置き換えます',
    'conflict.take': 'ディスクの値を読み込む',
    'conflict.take.title': 'ディスクのファイルを読み込みます。あなたの値には「元に戻す」で戻れます',
    'conflict.download': 'あなたのファイルをダウンロード',
    'conflict.download.title': 'この画面の PlenkL.dat・GasouL.dat・HyodaiL.dat をダウンロードします',
    'notice.load.failed': 'フォルダのファイルを読み込めません: {reason}。ファイルを守るため、このフォルダへは保存しません。',
    'finding': '{line}行 {field}: {text}',
    'line': '{line}行',
    'line.title': '{file} の {line}行目',
    'field.title': '{ja}  {name}\n{en}{unit}: {meaning}\n{file} {line}行目の {position}番目の値{whole}',
    'field.title.text': '{ja}  {name}\n{en}: {meaning}\n{file} {line}行目(文字をそのまま書きます)',
    'field.whole': '(整数)',
    'field.unused': '作図では使われない値です',
    'grid.zone': '区間',
    'grid.pitch': 'ピッチ',
    'grid.count': '間隔数',
    'grid.dia': '径',
    'grid.same.dia': '= 径',
    'layers': '画層',
    'layers.title': 'GasouL.dat: 行数、続いて色番号・線種・線幅・画層名の行',
    'layers.missing': 'フォルダに GasouL.dat がありません。標準の画層ファイルをここに書き込み、「保存」でフォルダに保存できます。',
    'layers.write.standard': '標準の画層ファイルを書き込む',
  },
  en: {
    'app.title': 'lwall retaining wall reinforcement editor',
    'app.name': 'reinforcement editor',
    'lang.switch': '日本語',
    'lang.switch.title': 'ページとメッセージを日本語で表示します',
    'open': 'Open',
    'open.title': 'Open a PlenkL.dat, and a GasouL.dat and a HyodaiL.dat with it if you like, from your disk',
    'save': 'Save',
    'save.title': 'Save PlenkL.dat, GasouL.dat and HyodaiL.dat to {dir} (Ctrl+S)',
    'save.blocked': 'The folder\'s files could not be loaded, so saving is off to keep them as they are',
    'unsaved.title': 'unsaved changes',
    'undo': 'Undo',
    'undo.title': 'Undo the last change (Ctrl+Z)',
    'redo': 'Redo',
    'redo.title': 'Redo the change undone (Ctrl+Y, Ctrl+Shift+Z)',
    'revert': 'Revert to saved',
    'revert.title': 'Back to the values as loaded from the folder or last saved',
    'downloads': 'Download',
    'downloads.title': 'Download the files as the command line writes them for the same files',
    'print': 'Print',
    'print.title': 'Print view: each frame on an A1 landscape page of its own at its true scale',
    'print.now': 'Print',
    'print.now.title': 'Print, or save as PDF, on A1 landscape',
    'print.close': 'Close',
    'print.close.title': 'Close the print view (Esc)',
    'print.nothing': 'This wall cannot be drawn: nothing to print',
    'print.page': '{page}/{pages}  S=1:{scale}  A1',
    'search.placeholder': 'Find a field (label, name, line 26)',
    'search.label': 'Find a field',
    'search.none': 'no field found',
    'folder': 'Folder',
    'folder.title': 'The folder saved to (--dir of lwall serve)',
    'file.present': 'present',
    'file.absent': 'missing',
    'file.unreadable': 'unreadable',
    'sheet.view.title': 'Wheel: zoom; drag: pan',
    'fit': 'Fit',
    'fit.title': 'Show the whole sheet',
    'busy': 'drawing…',
    'stale': 'A value is refused: the sheet shown is the last one drawn',
    'status.code': 'status {code}',
    'status.drawn': 'drawn',
    'status.none': '—',
    'status.refused': '{count} values refused (beside their fields and in the list above)',
    'status.1': 'The wall is wider or higher than the limits: no sheet',
    'status.4': 'No GasouL.dat (the layer file): no sheet',
    'status.5': 'A footing bar is longer than the maximum member length: the sheet stops half way',
    'status.6': 'Input refused',
    'status.no.run': 'No sheet: {reason}',
    'no.answer': 'lwall serve does not answer ({detail})',
    'notice.folder': 'Opened PlenkL.dat from the folder',
    'notice.example': 'The folder holds no PlenkL.dat: starting from the example wall (not saved yet)',
    'notice.opened': 'Opened: {names}',
    'notice.saved': 'Saved to {dir}: {names}',
    'notice.not.saved': 'Not saved: {reason}',
    'notice.downloaded': 'Downloaded {name}',
    'notice.not.downloaded': 'Download of {name} failed: {reason}',
    'notice.reverted': 'Back to the values as saved',
    'notice.took.disk': 'The disk\'s files are loaded; Undo brings your values back',
    'downloads.none': 'Nothing to download until the sheet can be drawn',
    'downloads.no.pdf': 'No Lwall.pdf: {reason}',
    'conflict.text': 'Not saved: the files in {dir} changed after they were loaded. Here is how your values and the disk\'s differ; neither is lost.',
    'conflict.missing': 'Files not on the disk: {names}',
    'conflict.value': 'Value',
    'conflict.mine': 'Yours',
    'conflict.disk': 'On the disk',
    'conflict.empty': '(empty)',
    'conflict.same': 'No value differs (only line ends or blanks do)',
    'conflict.keep': 'Save yours over the disk',
    'conflict.keep.title': 'Replace the disk\'s files with the values on this page',
    'conflict.take': 'Take the disk\'s',
    'conflict.take.title': 'Load the disk\'s files; Undo brings your values back',
    'conflict.download': 'Download yours',
    'conflict.download.title': 'Download PlenkL.dat, GasouL.dat and HyodaiL.dat as this page holds them',
    'notice.load.failed': 'The folder\'s files cannot be loaded: {reason}. To keep them as they are, nothing is saved to this folder.',
    'finding': 'line {line}, {field}: {text}',
    'line': 'line {line}',
    'line.title': 'line {line} of {file}',
    'field.title': '{en}  {name}\n{ja}{unit}: {meaning}\n{file} line {line}, value {position}{whole}',
    'field.title.text': '{en}  {name}\n{ja}: {meaning}\n{file} line {line} (written as typed)',
    'field.whole': ', a whole number',
    'field.unused': 'read and not used by the drawings',
    'grid.zone': 'zone',
    'grid.pitch': 'spacing',
    'grid.count': 'spacings',
    'grid.dia': 'dia',
    'grid.same.dia': '= dia',
    'layers': 'Layers',
    'layers.title': 'GasouL.dat: a count, then rows of colour, line type, pen width and layer name',
    'layers.missing': 'The folder holds no GasouL.dat. Write the standard layer file here and Save puts it in the folder.',
    'layers.write.standard': 'Write the standard layer file',
  },
};

const STORE = 'lwall-lang';
let current = (() => {
  try {
    return localStorage.getItem(STORE) === 'en' ? 'en' : 'ja';
  } catch {
    return 'ja';
  }
})();

export const language = () => current;

// A placeholder's value in the page's language: a string as it is, a pair of the server's words in
// the page's language, another text of the catalogue.
const filled = (v) => {
  if (v === null || typeof v !== 'object') return String(v);
  if ('key' in v) return t(v.key, v.vars ?? {});
  return String(v[current] ?? v.ja);
};

// The text of `key` in the page's language, its {placeholders} filled from `vars`.
export function t(key, vars = {}) {
  const text = TEXTS[current][key] ?? TEXTS.ja[key] ?? key;
  return text.replace(/\{(\w+)\}/g, (m, name) => (name in vars ? filled(vars[name]) : m));
}

// Whether the catalogue has a text of `key`.
export const has = (key) => key in TEXTS.ja;

// Of two texts in the catalogue's languages, the one of the page's language first.
export const pick = (ja, en) => (current === 'en' ? [en, ja] : [ja, en]);

// Fills every element under `root` that names its texts.
export function applyTexts(root = document) {
  for (const e of root.querySelectorAll('[data-text]')) e.textContent = t(e.dataset.text);
  for (const e of root.querySelectorAll('[data-title]')) e.title = t(e.dataset.title);
  for (const e of root.querySelectorAll('[data-placeholder]')) e.placeholder = t(e.dataset.placeholder);
  for (const e of root.querySelectorAll('[data-label]')) e.setAttribute('aria-label', t(e.dataset.label));
  document.documentElement.lang = current;
  document.title = t('app.title');
}

export function setLanguage(lang) {
  current = lang === 'en' ? 'en' : 'ja';
  try {
    localStorage.setItem(STORE, current);
  } catch {
    // a browser that keeps nothing: the choice lasts for this page
  }
  applyTexts();
}
