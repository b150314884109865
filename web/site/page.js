// The page around the core (web/BRIDGE.md): it draws what the core sends
// through globalThis.drumPage and posts keys, menu choices and dialog events
// to it with drum.post. It never calls into the core's code.
import { MenuBar, plain } from './menu.js';
import { SettingsDialog } from './dialogs.js';
import { Player } from './player.js';
import * as storage from './storage.js';

const $ = (id) => document.getElementById(id);
const app = $('app');
const screenEl = $('screen');
const live = $('live');
const hint = $('hint');
const inputDialog = $('input');
const inputField = $('input-field');
const reviewDialog = $('review');
const reviewText = $('review-text');
const messageDialog = $('message');

// Words the page needs before the core has sent its own (texts()).
const early = {
  cs: { loading: 'Načítám…', loadFailed: 'Program se nepodařilo načíst.' },
  sk: { loading: 'Načítavam…', loadFailed: 'Program sa nepodarilo načítať.' },
  en: { loading: 'Loading…', loadFailed: 'The program could not be loaded.' },
};
const lang = (navigator.language || 'en').slice(0, 2);
let texts = { ...early.en, ...(early[lang] || {}),
  quotaFull: 'The browser has no room left to save the game.',
  noStorage: 'This browser window cannot keep the game (a private window?).' };

let drum = null;
const pending = [];       // events posted before the module exists
function post(event) {
  if (drum) drum.post(event); else pending.push(event);
}

const player = new Player();
const menubar = new MenuBar($('menubar'), (item) => choose(item), () => app.focus());
const settings = new SettingsDialog($('settings'), post);
let menuItems = [];
let ramPtr = -1;
let lines = new Array(24).fill('');
let cursorAt = [0, 0];
let ended = false;

// --- the screen, the status line, the live region ---------------------------

function drawScreen() {
  const [row, col] = cursorAt;
  const nodes = [];
  lines.forEach((l, i) => {
    if (i !== row) { nodes.push(l + '\n'); return; }
    const padded = l.padEnd(col + 1);
    const mark = document.createElement('span');
    mark.className = 'cursor';
    mark.textContent = padded[col];
    nodes.push(padded.slice(0, col), mark, padded.slice(col + 1) + '\n');
  });
  screenEl.replaceChildren(...nodes);
}

// Each text is a new node added to the region, never a change of the old
// one: a screen reader that reads the region late still finds every text
// in its own node. The same text twice in a row gets a no-break space the
// second time, or Orca takes the second addition for a duplicate event.
let lastSpoken = '';
function speak(text) {
  const p = document.createElement('p');
  p.textContent = text === lastSpoken ? `${text}\u00a0` : text;
  lastSpoken = p.textContent;
  live.append(p);
  while (live.childElementCount > 8) live.firstElementChild.remove();
}

function showHint() {
  if (ended) hint.textContent = texts.ended || '';
  else if (storage.state === 'unavailable' && player.running) hint.textContent = texts.noStorage;
  else if (!drum) hint.textContent = texts.loading;
  else hint.textContent = player.running ? '' : (texts.pressKey || '');
}

// --- the menu ----------------------------------------------------------------

function drawMenu() {
  const spec = [];
  const byIndex = [];
  menuItems.forEach((it, i) => {
    const node = { id: it.item, caption: it.caption, shortcut: it.shortcut || '',
      check: !!it.checkable, checked: !!it.checked, enabled: it.enabled !== false, items: [] };
    byIndex[i] = node;
    if (it.parent < 0) spec.push(node);
    else if (byIndex[it.parent]) byIndex[it.parent].items.push(node);
  });
  // Export and Import of the game file, in the Program menu before Exit.
  const program = spec.find((m) => m.items.some((it) => it.id === 'exitsubmenu'));
  if (program && texts.exportItem) {
    const at = program.items.findIndex((it) => it.id === 'exitsubmenu');
    const running = program.items.some((it) => it.id === 'Startsubmenu' && !it.enabled);
    program.items.splice(at, 0,
      { id: 'export', caption: texts.exportItem, shortcut: '', check: false, enabled: true, items: [] },
      { id: 'import', caption: texts.importItem, shortcut: '', check: false, enabled: !running, items: [] });
  }
  menubar.update(spec);
}

function brailleOn() {
  return menuItems.some((it) => it.item === 'braillekeyboarditem' && it.checked);
}

function choose(item) {
  if (item === 'import') {
    $('import-file').click();
    return;
  }
  post({ type: 'menu', item });
}

$('import-file').addEventListener('change', async (e) => {
  const f = e.target.files[0];
  e.target.value = '';
  if (!f) return;
  post({ type: 'import', name: f.name, bytes: new Uint8Array(await f.arrayBuffer()) });
  app.focus();
});

// --- keys ----------------------------------------------------------------------

const SHORTCUTS = new Set(['KeyS', 'KeyE', 'KeyH', 'KeyB', 'KeyD', 'KeyP']);
// Keys the browser keeps in the application region: focus, reload, full
// screen, developer tools.
const BROWSER_KEYS = new Set(['Tab', 'F5', 'F11', 'F12']);

function targetOf(el) {
  if (app.contains(el) || el === document.body || el === document.documentElement) return 'main';
  if (el === inputField) return 'input';
  if (el === reviewText) return 'review';
  if (settings.el.contains(el) || messageDialog.contains(el) || inputDialog.contains(el)) return 'dialog';
  return null;   // the menu bar keeps its keys
}

let altAlone = false;
function onKey(e) {
  gesture();
  const down = e.type === 'keydown';
  const target = targetOf(e.target);
  const shortcut = e.ctrlKey && !e.altKey && !e.metaKey && SHORTCUTS.has(e.code);
  // The desktop's shortcuts are never the browser's here (Ctrl+S would save the page).
  if (shortcut) e.preventDefault();
  if (target === null) return;
  // F10, or Alt pressed and released alone, goes to the menu bar, as on the desktop.
  if (target === 'main' && !ended) {
    if (down) altAlone = e.key === 'Alt';
    if ((down && e.key === 'F10' && !e.shiftKey) || (!down && e.key === 'Alt' && altAlone)) {
      e.preventDefault();
      menubar.enter();
      return;
    }
  }
  if (target === 'review' && down && e.key === 'Escape') {
    e.preventDefault();
    closeReview(false, 'close');
    return;
  }
  const ev = { type: 'key', down, code: e.code, key: e.key, repeat: e.repeat,
    shift: e.shiftKey, ctrl: e.ctrlKey, alt: e.altKey, target };
  if (target === 'input' || target === 'review') {
    const f = target === 'input' ? inputField : reviewText;
    ev.text = f.value;
    ev.caret = f.selectionStart;
  }
  if (shortcut) {
    // posted as they are: the core takes them as the desktop's menu does
  } else if (target === 'main') {
    const ctrlKept = e.ctrlKey && !/^(Arrow|Home|End|Page|Backspace|Delete|Enter|Escape|F\d)/.test(e.key);
    if (BROWSER_KEYS.has(e.key) || ctrlKept || e.metaKey) {
      if (e.key === 'Tab') return;
    } else {
      e.preventDefault();
    }
  } else if (target === 'input') {
    if (e.key === 'Enter' && down) e.preventDefault();
    if (brailleOn() && e.key.length === 1 && !e.ctrlKey && !e.altKey) e.preventDefault();
  } else if (target === 'dialog') {
    if (e.key === 'Escape' || e.key === 'Tab' || e.key === 'Enter' || e.key === ' ' || e.key.startsWith('Arrow')) {
      if (!shortcut) return;   // the dialog's own keys, nothing for the core
    }
  }
  post(ev);
}
document.addEventListener('keydown', onKey, true);
document.addEventListener('keyup', onKey, true);

// Keys held are forgotten when the game's keys go elsewhere, as on the desktop.
let focusOn = false;
function focusChanged() {
  const el = document.activeElement;
  const on = document.hasFocus() && el !== null && (app.contains(el) || el === inputField || el === reviewText);
  if (on !== focusOn) {
    focusOn = on;
    post({ type: 'focus', on });
  }
}
document.addEventListener('focusin', () => setTimeout(focusChanged));
document.addEventListener('focusout', () => setTimeout(focusChanged));
window.addEventListener('blur', focusChanged);
window.addEventListener('focus', focusChanged);

// --- sound: the first key or click starts it ---------------------------------

function gesture() {
  if (player.running || player.starting) return;
  player.start().then(() => {
    post({ type: 'audio', rate: player.rate });
    showHint();
  }, (err) => {
    hint.textContent = String(err && err.message ? err.message : err);
  });
}
document.addEventListener('pointerdown', gesture, true);

// --- the INPUT dialog and the review -----------------------------------------

inputDialog.addEventListener('cancel', (e) => e.preventDefault());
function closeInput(ok, control) {
  if (inputDialog.open) inputDialog.close();
  app.focus();
  post({ type: 'dialog', dialog: 'input', action: 'close', ok, control });
}
function inputButtons(model) {
  const box = inputDialog.querySelector('.buttons') || inputDialog.appendChild(document.createElement('div'));
  box.className = 'buttons';
  const ok = document.createElement('button');
  ok.type = 'button';
  ok.textContent = plain(model.ok || 'OK');
  ok.addEventListener('click', () => closeInput(true, 'ok'));
  const exit = document.createElement('button');
  exit.type = 'button';
  exit.textContent = plain(model.exit || '');
  exit.addEventListener('click', () => closeInput(false, 'exit'));
  box.replaceChildren(ok, exit);
}

reviewDialog.addEventListener('cancel', (e) => { e.preventDefault(); closeReview(false, 'close'); });
function closeReview(ok, control) {
  if (!reviewDialog.open) return;
  reviewDialog.close();
  app.focus();
  post({ type: 'dialog', dialog: 'review', action: 'close', ok, control });
}

messageDialog.addEventListener('cancel', (e) => { e.preventDefault(); closeMessage(); });
$('message-ok').addEventListener('click', () => closeMessage());
function closeMessage() {
  if (!messageDialog.open) return;
  messageDialog.close();
  restoreFocus();
  post({ type: 'dialog', dialog: 'message', action: 'close', ok: true, control: 'ok' });
}

function restoreFocus() {
  if (settings.isOpen) return;
  if (inputDialog.open) inputField.focus();
  else if (reviewDialog.open) reviewText.focus();
  else app.focus();
}

// --- the bridge ------------------------------------------------------------------

globalThis.drumPage = {
  screen(all, row, column) {
    lines = Array.from({ length: 24 }, (_, i) => all[i] || '');
    cursorAt = [row, column];
    drawScreen();
  },
  line(row, text) {
    if (row < 0 || row >= 24) return;
    lines[row] = text;
    drawScreen();
  },
  cursor(row, column) {
    cursorAt = [row, column];
    drawScreen();
  },
  caption(text) {
    document.title = text;
    $('title').textContent = text;
    app.setAttribute('aria-label', text);
  },
  status(text) { $('statusline').textContent = text; },
  menu(items) {
    menuItems = items;
    drawMenu();
  },
  texts(t) {
    texts = { ...texts, ...t };
    if (t.lang) document.documentElement.lang = t.lang;
    $('message-ok').textContent = plain(texts.ok || 'OK');
    drawMenu();
    showHint();
  },
  ended(status) {
    ended = true;
    showHint();
    void status;
  },

  speak,
  audioTime() { return player.time(); },
  audioWrite(samples, frame, onset) { player.write(samples, frame, onset); },
  // The sound's gaps so far (bench/web.mjs reads it).
  underruns() { return player.underruns; },

  openDialog(dialog, model) {
    if (dialog === 'message') {
      $('message-title').textContent = plain(model.caption || '');
      $('message-text').textContent = model.text || '';
      if (!messageDialog.open) messageDialog.showModal();
      $('message-ok').focus();
    } else if (dialog === 'input') {
      $('input-title').textContent = plain(model.caption || '');
      $('input-label').textContent = plain(model.caption || '');
      inputButtons(model);
      inputField.value = model.text || '';
      if (!inputDialog.open) inputDialog.showModal();
      inputField.focus();
      const c = model.caret ?? inputField.value.length;
      inputField.setSelectionRange(c, c);
    } else if (dialog === 'review') {
      $('review-title').textContent = plain(model.caption || '');
      reviewText.value = model.text || '';
      if (!reviewDialog.open) reviewDialog.showModal();
      reviewText.focus();
      reviewText.setSelectionRange(0, 0);
      reviewText.scrollTop = 0;
    } else {
      settings.open(dialog, model);
    }
  },
  updateDialog(dialog, model) {
    if (dialog === 'message') {
      if (model.text !== undefined) $('message-text').textContent = model.text;
    } else if (dialog === 'input') {
      if (model.text !== undefined) drumPage.inputText(model.text, model.caret ?? model.text.length);
    } else if (dialog === 'review') {
      if (model.text !== undefined) reviewText.value = model.text;
    } else {
      settings.update(dialog, model);
    }
  },
  closeDialog(dialog) {
    if (dialog === 'message') { if (messageDialog.open) messageDialog.close(); }
    else if (dialog === 'input') { if (inputDialog.open) inputDialog.close(); }
    else if (dialog === 'review') { if (reviewDialog.open) reviewDialog.close(); }
    else if (settings.dialog === dialog) settings.close();
    restoreFocus();
  },
  inputText(text, caret) {
    inputField.value = text;
    inputField.setSelectionRange(caret, caret);
  },

  async storageGet(name) {
    const bytes = await storage.get(name);
    showHint();
    return bytes;
  },
  async storagePut(name, bytes) {
    const why = await storage.put(name, bytes);
    if (why === 'quota') return texts.quotaFull;
    if (why) return texts.noStorage;
    return '';
  },
  download(name, bytes) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  },
  // Where the core keeps its memory image, once it is ours to write.
  ramImage(ptr) { ramPtr = ptr; },
};

// The desktop saves the memory image when its window closes; a page that
// goes away gets no more turns of the core, so the page copies the image
// from the core's memory and stores it itself.
function saveOnLeave() {
  if (ramPtr < 0 || !drum || !drum.HEAPU8 || ended) return;
  storage.put('ram.dat', drum.HEAPU8.slice(ramPtr, ramPtr + 65536));
}
window.addEventListener('pagehide', saveOnLeave);
document.addEventListener('visibilitychange', () => {
  if (document.visibilityState === 'hidden') saveOnLeave();
});

// --- start -------------------------------------------------------------------------

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const s = document.createElement('script');
    s.src = src;
    s.onload = resolve;
    s.onerror = () => reject(new Error(src));
    document.head.append(s);
  });
}

async function start() {
  showHint();
  drawScreen();
  app.focus();
  storage.persist();
  try {
    await loadScript('drum.js');
    const module = await globalThis.createDrum({});
    drum = module;
    for (const e of pending.splice(0)) drum.post(e);
  } catch (err) {
    hint.textContent = `${texts.loadFailed} (${err && err.message ? err.message : err})`;
    return;
  }
  showHint();
  // The copy for offline play once the game runs: its downloads would
  // otherwise compete with the first visit's own.
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

start();
