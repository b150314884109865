// The core's dialogs as <dialog> elements with labelled controls. The core
// sends a model (texts in the interface language, values); the page draws it
// and posts every focus, change and close back; the core decides the rest.
import { plain } from './menu.js';

let serial = 0;

// The controls of each dialog, from its model (or from the part of it that
// an update carries: absent fields give no control).
function controlsOf(dialog, m) {
  const c = [];
  const slider = (id, s) => s && c.push({ id, kind: 'range', caption: s.label, value: s.value,
    min: s.min ?? 0, max: s.max ?? 100, enabled: s.enabled });
  const check = (id, s) => s && c.push({ id, kind: 'check', caption: s.label, value: s.checked, enabled: s.enabled });
  const button = (id, caption, ok) => caption !== undefined && c.push({ id, kind: 'button', caption, ok });
  if (dialog === 'environment') {
    if (m.entries || m.selected !== undefined) {
      c.push({ id: 'language', kind: 'radio', caption: m.group, items: m.entries, value: m.selected });
    }
    button('ok', m.ok, true);
    button('cancel', m.cancel, false);
  } else if (dialog === 'sounds') {
    check('voice', m.voice);
    check('sounds', m.sounds);
    slider('volume', m.volume && { min: 0, max: 100, ...m.volume });
    button('ok', m.ok, true);
    button('cancel', m.cancel, false);
  } else if (dialog === 'voice') {
    const v = m.voices;
    if (v) c.push({ id: 'voices', kind: 'list', caption: v.label, items: v.entries, value: v.selected, enabled: v.enabled });
    slider('pitch', m.pitch);
    slider('speed', m.speed);
    slider('volume', m.volume);
    button('choose', m.choose, true);
    button('close', m.close, false);
  } else {   // about, or a dialog this page does not know: its text and its button
    if (m.text !== undefined) c.push({ id: 'text', kind: 'label', caption: m.text });
    button('ok', m.ok ?? 'OK', true);
  }
  return c;
}

function accel(caption) {
  const m = /&([^&])/.exec(caption || '');
  return m ? m[1].toLowerCase() : '';
}

export class SettingsDialog {
  constructor(el, post) {
    this.el = el;
    this.post = post;
    this.dialog = null;
    this.title = el.querySelector('h2');
    this.body = el.querySelector('.body');
    el.addEventListener('cancel', (e) => { e.preventDefault(); this.finish(false, ''); });
    el.addEventListener('keydown', (e) => this.accelerator(e));
  }

  get isOpen() { return this.el.open; }

  open(dialog, model) {
    this.dialog = dialog;
    this.title.textContent = plain(model.caption || '');
    const controls = controlsOf(dialog, model);
    const buttons = document.createElement('div');
    buttons.className = 'buttons';
    const nodes = [];
    for (const c of controls) {
      const n = this.control(c);
      if (c.kind === 'button') buttons.append(n); else nodes.push(n);
    }
    this.body.replaceChildren(...nodes, buttons);
    if (!this.el.open) this.el.showModal();
    const first = this.body.querySelector('input:checked, input, select, button');
    if (first) first.focus();
  }

  update(dialog, model) {
    if (dialog !== this.dialog) return;
    if (model.caption !== undefined) this.title.textContent = plain(model.caption);
    for (const c of controlsOf(dialog, model)) this.refresh(c);
  }

  close() {
    if (this.el.open) this.el.close();
    this.dialog = null;
  }

  finish(ok, control) {
    const dialog = this.dialog;
    if (!dialog) return;
    this.close();
    this.post({ type: 'dialog', dialog, action: 'close', ok, control });
  }

  emit(action, control, value) {
    if (!this.dialog) return;
    const e = { type: 'dialog', dialog: this.dialog, action, control };
    if (action === 'change') e.value = value;
    this.post(e);
  }

  control(c) {
    const id = `c${++serial}`;
    if (c.kind === 'button') {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = plain(c.caption);
      b.dataset.control = c.id;
      b.addEventListener('focus', () => this.emit('focus', c.id));
      b.addEventListener('click', () => this.finish(c.ok, c.id));
      return b;
    }
    if (c.kind === 'label') {
      const p = document.createElement('p');
      p.dataset.control = c.id;
      p.style.whiteSpace = 'pre-line';
      p.textContent = c.caption;
      return p;
    }
    if (c.kind === 'radio') {
      const fs = document.createElement('fieldset');
      fs.dataset.control = c.id;
      fs.setAttribute('role', 'radiogroup');
      const lg = document.createElement('legend');
      lg.textContent = plain(c.caption);
      fs.append(lg);
      (c.items || []).forEach((text, i) => {
        const lab = document.createElement('label');
        lab.className = 'row';
        const r = document.createElement('input');
        r.type = 'radio';
        r.name = id;
        r.checked = i === c.value;
        r.addEventListener('change', () => { if (r.checked) this.emit('change', c.id, i); });
        r.addEventListener('focus', () => this.emit('focus', c.id));
        lab.append(r, ' ', plain(text));
        fs.append(lab);
      });
      const key = accel(c.caption);
      if (key) fs.dataset.accel = key;
      return fs;
    }
    const row = document.createElement('div');
    row.className = 'row';
    const lab = document.createElement('label');
    lab.htmlFor = id;
    lab.textContent = plain(c.caption);
    let input;
    if (c.kind === 'check') {
      input = document.createElement('input');
      input.type = 'checkbox';
      input.checked = !!c.value;
      input.addEventListener('change', () => this.emit('change', c.id, input.checked));
      row.append(input, ' ', lab);
    } else if (c.kind === 'range') {
      input = document.createElement('input');
      input.type = 'range';
      input.min = c.min;
      input.max = c.max;
      input.step = 1;
      input.value = c.value;
      // Every step is a change, as a track bar's is, not only the last one.
      input.addEventListener('input', () => this.emit('change', c.id, Number(input.value)));
      row.append(lab, ' ', input);
    } else {
      input = document.createElement('select');
      input.size = 8;
      for (const [i, text] of (c.items || []).entries()) input.append(new Option(text, String(i)));
      input.selectedIndex = c.value ?? -1;
      input.addEventListener('change', () => this.emit('change', c.id, input.selectedIndex));
      row.append(lab, document.createElement('br'), input);
    }
    input.id = id;
    input.dataset.control = c.id;
    input.disabled = c.enabled === false;
    input.addEventListener('focus', () => this.emit('focus', c.id));
    const key = accel(c.caption);
    if (key) input.dataset.accel = key;
    return row;
  }

  refresh(c) {
    const el = this.body.querySelector(`[data-control="${c.id}"]`);
    if (!el) return;
    if (c.kind === 'radio') {
      const radios = el.querySelectorAll('input');
      if (c.value !== undefined && radios[c.value]) radios[c.value].checked = true;
      if (c.caption !== undefined) el.querySelector('legend').textContent = plain(c.caption);
      return;
    }
    if (c.kind === 'label' || c.kind === 'button') {
      if (c.caption !== undefined) el.textContent = c.kind === 'label' ? c.caption : plain(c.caption);
      return;
    }
    if (c.enabled !== undefined) el.disabled = c.enabled === false;
    if (c.kind === 'check' && c.value !== undefined) el.checked = !!c.value;
    if (c.kind === 'range') {
      if (c.min !== undefined) el.min = c.min;
      if (c.max !== undefined) el.max = c.max;
      if (c.value !== undefined && Number(el.value) !== c.value) el.value = c.value;
    }
    if (c.kind === 'list') {
      if (c.items) el.replaceChildren(...c.items.map((t, i) => new Option(t, String(i))));
      if (c.value !== undefined && el.selectedIndex !== c.value) el.selectedIndex = c.value;
    }
    if (c.caption !== undefined) {
      const lab = this.body.querySelector(`label[for="${el.id}"]`);
      if (lab) lab.textContent = plain(c.caption);
    }
  }

  // Alt + the marked letter moves to its control, as the desktop's accelerators do.
  accelerator(e) {
    if (!e.altKey || e.ctrlKey || e.key.length !== 1) return;
    const el = this.body.querySelector(`[data-accel="${e.key.toLowerCase()}"]`);
    if (!el) return;
    e.preventDefault();
    (el.matches('fieldset') ? el.querySelector('input:checked') || el.querySelector('input') : el).focus();
  }
}
