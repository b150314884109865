// The game in a Chromium window that Orca reads (tests/web/orca.sh sets up
// the world): the screen-reader setting on, a stored game, the game's
// sounds at their lowest, so that the "drum" sink carries only the game's
// voice. Each text the game hands to the live region must come from Orca
// once; the game's voice must stay silent.
import { launch, openPage, seed, gameImage } from './browser.mjs';
import { Sink } from './sink.mjs';
import { readFileSync } from 'node:fs';

const [url, work] = process.argv.slice(2);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// What Orca said, from its debug log.
function orcaSaid() {
  const said = [];
  let log = '';
  try { log = readFileSync(`${work}/orca.log`, 'latin1'); } catch { return said; }
  for (const line of log.split('\n')) {
    const m = /SPEECH OUTPUT: '(.*?)' ?\{'established'/.exec(line);
    if (m) said.push(Buffer.from(m[1], 'latin1').toString('utf8'));
  }
  return said;
}
const norm = (t) => t.replace(/\s+/g, ' ').trim().toLowerCase();
// Orca works through its events at its own pace (slowly on a busy machine):
// wait until it has said `text` `times` times.
async function heard(text, times = 1, ms = 60000) {
  const end = performance.now() + ms;
  while (performance.now() < end) {
    if (orcaSaid().filter((s) => norm(s) === norm(text)).length >= times) return true;
    await sleep(250);
  }
  return false;
}
const liveTexts = () => page.evaluate(() => globalThis.liveTexts);
const failures = [];
const sink = new Sink('drum');
await sink.ready();
const { page, close } = await launch();
let spoken = [];
try {
  await seed(page, url, {
    'ram.dat': gameImage('LMABCDEFGHIJK', 'NOPQRSETUVXYZ'),
    'drum.ini': Buffer.from('[sounds]\noskirasounds=1\nsndvolume=-10000\n[Voice]\nSAPI5=1\n', 'latin1'),
  });
  await openPage(page, url);
  await page.bringToFront();
  await page.focus('#app');
  await page.evaluate(() => {
    globalThis.liveTexts = [];
    new MutationObserver((records) => {
      for (const r of records) for (const n of r.addedNodes) globalThis.liveTexts.push(n.textContent);
    }).observe(document.getElementById('live'), { childList: true });
  });
  await heard('Page has 2 landmarks, 1 heading.').catch(() => {});   // Orca has read the page
  const t0 = performance.now();
  await page.keyboard.press('Shift');      // the sound starts
  await sleep(500);
  await page.keyboard.press('Control+s');
  await page.waitForFunction(() => document.getElementById('screen').textContent.includes('otazník'), null, { timeout: 30000 });
  // Each key once Orca has said what the last one made the game say.
  const caughtUp = async () => {
    await sleep(1500);
    const all = await liveTexts();
    const last = all[all.length - 1];
    if (last) await heard(last, all.filter((t) => norm(t) === norm(last)).length);
  };
  await caughtUp();
  for (const key of ['Space', 'ArrowRight', 'ArrowRight', 'ArrowLeft', 's']) {
    await page.keyboard.press(key);
    await caughtUp();
  }
  await page.keyboard.press('Escape');     // the game saves and ends
  await page.waitForFunction(() => document.getElementById('screen').textContent.includes('hotovo'), null, { timeout: 30000 }).catch(() => {});
  await caughtUp();
  spoken = (await liveTexts()).filter((t) => t.trim() !== '');
  const voice = sink.rms(t0, performance.now());
  console.log(`the live region received ${spoken.length} texts; the game's sink: RMS ${voice.toExponential(2)}`);
  if (spoken.length < 8) failures.push(`the live region received only ${JSON.stringify(spoken)}`);
  if (voice > 0.001) failures.push(`the game's own voice was heard (RMS ${voice})`);
} catch (e) {
  failures.push(e.stack);
} finally {
  await close();
  sink.stop();
}

const said = orcaSaid();
for (const text of new Set(spoken.map(norm))) {
  const n = said.filter((s) => norm(s) === text).length;
  const times = spoken.filter((s) => norm(s) === text).length;
  if (n !== times) failures.push(`"${text}": the game spoke it ${times} times, Orca ${n}`);
}
console.log(`Orca said ${said.length} utterances`);
for (const f of failures) console.log(`FAILED: ${f}`);
if (failures.length) {
  console.log('Orca said:', JSON.stringify(said.slice(-60)));
  process.exit(1);
}
console.log('PASSED');
