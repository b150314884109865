// The menu bar as the ARIA menubar pattern: Left/Right along the bar, Down,
// Enter or Space open a menu, Up/Down in it, Enter or Space choose, Esc goes
// back to the game. Built from the core's description whenever it changes.

// "&Start" shows "Start"; "&&" is a literal "&".
export function plain(caption) {
  return caption.replace(/&(&?)/g, (m, lit) => lit);
}

export class MenuBar {
  constructor(root, choose, leave) {
    this.root = root;
    this.choose = choose;   // (id) => void
    this.leave = leave;     // () => void: the focus back to the game
    this.spec = [];
    root.addEventListener('keydown', (e) => this.key(e));
    root.addEventListener('click', (e) => this.click(e));
    root.addEventListener('focusout', (e) => {
      if (!root.contains(e.relatedTarget)) this.closeAll();
    });
  }

  // spec: [{id, caption, items: [{id, caption, shortcut, check, checked, enabled}]}]
  update(spec) {
    const json = JSON.stringify(spec);
    if (json === this.json) return;
    this.json = json;
    this.spec = spec;
    const focused = document.activeElement && this.root.contains(document.activeElement)
      ? document.activeElement.dataset.id : null;
    const open = this.root.querySelector('[aria-expanded="true"]');
    const openId = open ? open.dataset.id : null;
    this.root.replaceChildren(...spec.map((m, i) => this.top(m, i)));
    if (openId) this.open(this.root.querySelector(`[data-id="${openId}"]`), false);
    const again = focused && this.root.querySelector(`[data-id="${focused}"]`);
    if (again) again.focus();
  }

  top(m, i) {
    const li = document.createElement('li');
    li.setAttribute('role', 'none');
    const a = document.createElement('span');
    a.setAttribute('role', 'menuitem');
    a.setAttribute('aria-haspopup', 'menu');
    a.setAttribute('aria-expanded', 'false');
    a.tabIndex = i === 0 ? 0 : -1;
    a.dataset.id = m.id;
    a.textContent = plain(m.caption);
    if (m.enabled === false) a.setAttribute('aria-disabled', 'true');
    const ul = document.createElement('ul');
    ul.setAttribute('role', 'menu');
    ul.setAttribute('aria-label', plain(m.caption));
    ul.hidden = true;
    for (const it of m.items) ul.append(this.item(it));
    li.append(a, ul);
    return li;
  }

  item(it) {
    const li = document.createElement('li');
    const checkable = it.check !== null && it.check !== undefined && it.check !== false;
    li.setAttribute('role', checkable ? 'menuitemcheckbox' : 'menuitem');
    if (checkable) li.setAttribute('aria-checked', it.checked ? 'true' : 'false');
    if (!it.enabled) li.setAttribute('aria-disabled', 'true');
    li.tabIndex = -1;
    li.dataset.id = it.id;
    li.textContent = plain(it.caption);
    if (it.shortcut) {
      li.setAttribute('aria-keyshortcuts', it.shortcut.replace('Ctrl', 'Control'));
      const s = document.createElement('span');
      s.className = 'shortcut';
      s.setAttribute('aria-hidden', 'true');
      s.textContent = it.shortcut;
      li.append(s);
    }
    return li;
  }

  // The item whose shortcut is Ctrl + this letter, enabled or not.
  shortcut(letter) {
    for (const m of this.spec) {
      for (const it of m.items) {
        if (it.shortcut && it.shortcut.toUpperCase() === `CTRL+${letter.toUpperCase()}`) return it;
      }
    }
    return null;
  }

  tops() { return [...this.root.querySelectorAll(':scope > li > [role="menuitem"]')]; }

  closeAll() {
    for (const t of this.tops()) {
      t.setAttribute('aria-expanded', 'false');
      t.nextElementSibling.hidden = true;
    }
  }

  open(top, focusFirst) {
    this.closeAll();
    if (!top) return;
    top.setAttribute('aria-expanded', 'true');
    const menu = top.nextElementSibling;
    menu.hidden = false;
    if (focusFirst) {
      const first = menu.querySelector('li');
      if (first) first.focus();
    }
  }

  focusTop(top) {
    for (const t of this.tops()) t.tabIndex = t === top ? 0 : -1;
    top.focus();
  }

  // Moves into the bar from the game: the first menu, closed.
  enter() {
    const t = this.tops()[0];
    if (t) this.focusTop(t);
  }

  activate(li) {
    if (li.getAttribute('aria-disabled') === 'true') return;
    const id = li.dataset.id;
    this.closeAll();
    this.leave();
    this.choose(id);
  }

  click(e) {
    const el = e.target.closest('[role^="menuitem"]');
    if (!el) return;
    if (el.hasAttribute('aria-haspopup')) {
      const wasOpen = el.getAttribute('aria-expanded') === 'true';
      this.focusTop(el);
      if (wasOpen) this.closeAll(); else this.open(el, false);
    } else {
      this.activate(el);
    }
  }

  key(e) {
    const el = e.target.closest('[role^="menuitem"]');
    if (!el) return;
    const tops = this.tops();
    const isTop = el.hasAttribute('aria-haspopup');
    const top = isTop ? el : el.closest('li[role="none"]').firstElementChild;
    const ti = tops.indexOf(top);
    const items = isTop ? [] : [...el.parentElement.children];
    const ii = items.indexOf(el);
    const sideways = (d) => {
      const next = tops[(ti + d + tops.length) % tops.length];
      this.focusTop(next);
      if (!isTop) this.open(next, true);
    };
    let handled = true;
    switch (e.key) {
      case 'ArrowRight': sideways(1); break;
      case 'ArrowLeft': sideways(-1); break;
      case 'ArrowDown':
        if (isTop) this.open(el, true); else items[(ii + 1) % items.length].focus();
        break;
      case 'ArrowUp':
        if (isTop) {
          this.open(el, false);
          const last = el.nextElementSibling.lastElementChild;
          if (last) last.focus();
        }
        else items[(ii - 1 + items.length) % items.length].focus();
        break;
      case 'Home': (isTop ? tops : items)[0].focus(); break;
      case 'End': { const l = isTop ? tops : items; l[l.length - 1].focus(); break; }
      case 'Enter': case ' ':
        if (isTop) this.open(el, true); else this.activate(el);
        break;
      case 'Escape':
        if (isTop) { this.closeAll(); this.leave(); } else { this.closeAll(); this.focusTop(top); }
        break;
      case 'Tab': this.closeAll(); handled = false; break;
      default: handled = false;
    }
    if (handled) { e.preventDefault(); e.stopPropagation(); }
  }
}
