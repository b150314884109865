// Debian's Chromium driven by playwright-core (no browser of its own), for
// the page's tests and benchmarks.
import { chromium } from 'playwright-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const CHROMIUM = process.env.DRUM_CHROMIUM || '/usr/bin/chromium';

// A fresh profile each time: no stored game, no service worker, no cache.
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'drum-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    acceptDownloads: true,
    // Playwright mutes headless audio by default: the tests listen to it.
    ignoreDefaultArgs: ['--mute-audio'],
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=user-gesture-required'],
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
