// Debian's Chromium driven by playwright-core (no browser of its own), for
// the page's tests and benchmarks.
import { chromium } from 'playwright-core';
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const CHROMIUM = process.env.DRUM_CHROMIUM || '/usr/bin/chromium';

// A fresh profile each time: no stored game, no service worker, no cache.
// DRUM_HEADED=1: a window on the X display with its accessibility tree on
// for at-spi, for a screen reader to read.
export async function launch() {
  const headed = process.env.DRUM_HEADED === '1';
  const profile = mkdtempSync(join(tmpdir(), 'drum-chromium-'));
  // No offer to translate the Czech page: its bar would take the screen
  // reader's attention.
  mkdirSync(join(profile, 'Default'));
  writeFileSync(join(profile, 'Default', 'Preferences'), JSON.stringify({ translate: { enabled: false } }));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: !headed,
    acceptDownloads: true,
    // Playwright mutes headless audio by default: the tests listen to it.
    ignoreDefaultArgs: ['--mute-audio'],
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=user-gesture-required',
      ...(headed ? ['--force-renderer-accessibility', '--window-size=1200,900'] : [])],
  });
  const page = context.pages()[0] || await context.newPage();
  const close = async () => {
    await context.close().catch(() => {});
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, page, close };
}

// The page is ready for keys once the core has sent its menu.
export async function openPage(page, url) {
  await page.goto(url);
  await page.waitForSelector('#menubar [role="menuitem"]', { timeout: 30000 });
}

// axe-core on the page as it stands: the violations, each with its nodes.
export async function axe(page) {
  const { createRequire } = await import('node:module');
  const require = createRequire(import.meta.url);
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const result = await page.evaluate(() => globalThis.axe.run(document));
  return result.violations.map((v) => `${v.id}: ${v.help} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
}

// Files put into the page's storage before the game loads them (the page's
// IndexedDB layout: database "drum", store "files", name -> bytes), from
// another document of the site, so that no running game saves over them.
export async function seed(page, url, files) {
  await page.goto(new URL('manifest.webmanifest', url).href);
  await page.evaluate(async (entries) => {
    const db = await new Promise((resolve, reject) => {
      const req = indexedDB.open('drum', 1);
      req.onupgradeneeded = () => req.result.createObjectStore('files');
      req.onsuccess = () => resolve(req.result);
      req.onerror = () => reject(req.error);
    });
    await new Promise((resolve, reject) => {
      const tx = db.transaction('files', 'readwrite');
      for (const [name, bytes] of entries) tx.objectStore('files').put(new Uint8Array(bytes), name);
      tx.oncomplete = resolve;
      tx.onabort = () => reject(tx.error);
    });
    db.close();
  }, Object.entries(files).map(([name, bytes]) => [name, [...bytes]]));
}

// A memory image holding a game in play, no moves yet (tests/support/gameimage.sh).
export function gameImage(row, column) {
  const ram = Buffer.alloc(65536);
  ram.write(row, 262, 'latin1');
  ram.write(column, 275, 'latin1');
  ram.write('10', 288, 'latin1');
  ram.write('10', 293, 'latin1');
  return ram;
}
